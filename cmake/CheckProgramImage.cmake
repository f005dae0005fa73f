# cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -P CheckProgramImage.cmake
cmake_minimum_required(VERSION 3.25)
# Fails the build when the program imports a DLL that is not a known DLL (those the system always
# loads from its own folder, whatever lies beside the program) or lacks one of its resources.
set(known_dlls
    advapi32.dll clbcatq.dll comdlg32.dll gdi32.dll imagehlp.dll imm32.dll kernel32.dll
    msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll
    sechost.dll setupapi.dll shell32.dll shlwapi.dll user32.dll ws2_32.dll wldap32.dll)
# Type/name pairs: the dictionary, the configuration, the skin archive, the window icon, the
# version record and the manifest.
set(required_resources JSON/148 JSON_APPCFG/150 ZIPRES/147 14/128 16/1 24/1)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
    OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REPLACE "\n" ";" lines "${headers}")

set(imports)
set(resources)
set(type "")
foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*DLL Name: (.+)$")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
        list(APPEND imports ${dll})
    # The resource tree: a type entry (three blanks in), a name entry under it (five blanks).
    elseif(line MATCHES "^[0-9a-f]+( +)Entry: (name: .*: ([^,]+)|ID: (0x[0-9a-f]+)), Value")
        if(CMAKE_MATCH_3)
            set(key "${CMAKE_MATCH_3}")
        else()
            math(EXPR key "${CMAKE_MATCH_4}")
        endif()
        string(LENGTH "${CMAKE_MATCH_1}" depth)
        if(depth EQUAL 3)
            set(type "${key}")
        elseif(depth EQUAL 5)
            list(APPEND resources "${type}/${key}")
        endif()
    endif()
endforeach()

if(NOT imports)
    message(FATAL_ERROR "${PROGRAM}: no imports found in the output of ${OBJDUMP} -p")
endif()
foreach(dll IN LISTS imports)
    if(NOT dll IN_LIST known_dlls)
        message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not a known DLL")
    endif()
endforeach()
foreach(resource IN LISTS required_resources)
    if(NOT resource IN_LIST resources)
        message(FATAL_ERROR "${PROGRAM} lacks the resource ${resource} (type/name)")
    endif()
endforeach()
