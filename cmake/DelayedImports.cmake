# The system DLLs the program needs only for part of its work (COM, the shell) are loaded at their
# first call instead of at start-up: under Wine each DLL mapped at start-up lengthens the start of
# both processes of a run, the first of which never calls them. The delay-load helper loads a DLL
# by name; the program limits DLL loading to the system folder before anything else runs, and
# both DLLs are known DLLs.
#
# delayed_import_library(<target> <dll> <function@argument-bytes>...) makes an interface target
# that links those functions through a delay-load import library made here with dlltool. A
# function missing from the list shows up as an undefined symbol when the program links.
function(delayed_import_library target dll)
    string(REGEX REPLACE "-g(cc|\\+\\+)(-posix)?$" "-dlltool" dlltool "${CMAKE_CXX_COMPILER}")
    set(folder ${CMAKE_BINARY_DIR}/delayed-imports)
    set(definitions "LIBRARY ${dll}\nEXPORTS\n")
    foreach(function IN LISTS ARGN)
        # Only 32-bit names carry the size of the arguments of a __stdcall function.
        if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
            string(REGEX REPLACE "@[0-9]+$" "" function "${function}")
        endif()
        string(APPEND definitions "${function}\n")
    endforeach()
    file(WRITE ${folder}/${target}.def "${definitions}")
    set(library ${folder}/lib${target}.a)
    execute_process(
        COMMAND ${dlltool} --input-def ${folder}/${target}.def --dllname ${dll}
                --output-delaylib ${library} --kill-at
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${dlltool} could not make ${library}")
    endif()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${library} delayimp)
endfunction()

delayed_import_library(delayed_ole32 ole32.dll
    CoInitializeEx@8 CoTaskMemFree@4 CoUninitialize@0 CreateStreamOnHGlobal@12)
delayed_import_library(delayed_shell32 shell32.dll
    SHBindToParent@16 SHChangeNotify@16 SHGetFolderPathW@20 SHParseDisplayName@20
    ShellExecuteExW@4 ShellExecuteW@24)
