# Third-party code comes from Debian packages (scripts/setup.sh installs them).
# Only the needed header folders are linked into the build tree: /usr/include itself holds glibc
# headers and must never be on a cross build's include path.
set(THIRD_PARTY_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${THIRD_PARTY_INCLUDE})

function(link_system_header_folder folder)
    if(NOT EXISTS /usr/include/${folder})
        message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/setup.sh")
    endif()
    file(CREATE_LINK /usr/include/${folder} ${THIRD_PARTY_INCLUDE}/${folder} SYMBOLIC)
endfunction()

link_system_header_folder(nlohmann)
link_system_header_folder(stb)

add_library(third_party_json INTERFACE)
target_include_directories(third_party_json SYSTEM INTERFACE ${THIRD_PARTY_INCLUDE})

# Image decoding (duilib).
add_library(third_party_stb INTERFACE)
target_include_directories(third_party_stb SYSTEM INTERFACE ${THIRD_PARTY_INCLUDE})

# Zip archive inflation (duilib): the MinGW build of zlib, linked statically.
find_library(MINGW_ZLIB NAMES libz.a z REQUIRED)
add_library(third_party_zlib INTERFACE)
target_link_libraries(third_party_zlib INTERFACE ${MINGW_ZLIB})

if(UNINSTALLER_TESTS)
    if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
        message(FATAL_ERROR "/usr/src/googletest is missing: run scripts/setup.sh")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
