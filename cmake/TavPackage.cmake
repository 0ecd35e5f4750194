# The installed package: bin/ with the DLLs, lib/ with their import libraries, include/ with the public
# headers and every header they pull in, lib/cmake/TavControls/ with the package configuration, and the
# licence beside them. CPack zips the same tree. Included from the top CMakeLists.txt once both libraries
# exist.
include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

set(TAV_PACKAGE_DIR lib/cmake/TavControls)

# What a host gets from Tav::Frame and, through it, from Tav::Controls.
target_compile_definitions(TavFrame PUBLIC ${TAV_PUBLIC_DEFINITIONS})
target_compile_features(TavFrame INTERFACE cxx_std_17)
target_include_directories(TavFrame INTERFACE $<INSTALL_INTERFACE:include>)
set_target_properties(TavFrame PROPERTIES EXPORT_NAME Frame)
set_target_properties(TavControls PROPERTIES EXPORT_NAME Controls)

# The headers a host may include: the control families' umbrella headers and the class layer, except the
# class layer's own internals.
file(GLOB TAV_PUBLIC_ROOTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/include/*.h ${CMAKE_SOURCE_DIR}/frame/*.h)
list(REMOVE_ITEM TAV_PUBLIC_ROOTS ${CMAKE_SOURCE_DIR}/frame/RichEditProtection.h)

# Where a header lands under include/: folders keep their names, include/ itself is the root.
function(tav_installed_header_path source out)
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${source})
    string(REGEX REPLACE "^include/" "" relative "${relative}")
    set(${out} ${relative} PARENT_SCOPE)
endfunction()

# The public headers and everything they include in quotes, resolved the way a compiler does it with only
# the installed include/ on its path: beside the including header first, then from include/'s root. A
# quoted include that resolves only inside this source tree would break a host: it is reported here, and the
# consumer project's header check fails on it.
function(tav_collect_installed_headers out)
    set(pending ${TAV_PUBLIC_ROOTS})
    set(found "")
    while(pending)
        list(POP_FRONT pending header)
        if(header IN_LIST found)
            continue()
        endif()
        list(APPEND found ${header})
        file(STRINGS ${header} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        get_filename_component(here ${header} DIRECTORY)
        tav_installed_header_path(${here}/x installed_here)
        get_filename_component(installed_here "${installed_here}" DIRECTORY)
        foreach(line IN LISTS lines)
            string(REGEX REPLACE ".*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" name "${line}")
            # Beside the includer within the installed tree, then from the root of include/.
            set(candidates "")
            if(installed_here)
                list(APPEND candidates "${installed_here}/${name}")
            else()
                list(APPEND candidates "${name}")
            endif()
            list(APPEND candidates "${name}")
            set(resolved "")
            foreach(candidate IN LISTS candidates)
                cmake_path(NORMAL_PATH candidate)
                foreach(source ${CMAKE_SOURCE_DIR}/include/${candidate} ${CMAKE_SOURCE_DIR}/${candidate})
                    if(NOT resolved AND EXISTS ${source} AND NOT candidate MATCHES "^\\.\\./")
                        set(resolved ${source})
                    endif()
                endforeach()
            endforeach()
            if(NOT resolved)
                file(RELATIVE_PATH shown ${CMAKE_SOURCE_DIR} ${header})
                message(WARNING "${shown} includes \"${name}\", which a host's compiler would not find in the "
                                    "installed include/ folder: name it from include/'s root (\"frame/...\", "
                                    "\"tree/...\") or beside the header.")
            else()
                list(APPEND pending ${resolved})
            endif()
        endforeach()
    endwhile()
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${found})
    set(${out} ${found} PARENT_SCOPE)
endfunction()

tav_collect_installed_headers(TAV_INSTALLED_HEADERS)
foreach(header IN LISTS TAV_INSTALLED_HEADERS)
    tav_installed_header_path(${header} installed)
    get_filename_component(folder "include/${installed}" DIRECTORY)
    install(FILES ${header} DESTINATION ${folder})
endforeach()

install(TARGETS TavFrame TavControls EXPORT TavControlsTargets
        RUNTIME DESTINATION bin
        LIBRARY DESTINATION bin
        ARCHIVE DESTINATION lib)
install(EXPORT TavControlsTargets NAMESPACE Tav:: DESTINATION ${TAV_PACKAGE_DIR})

configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/TavControlsConfig.cmake.in
    ${CMAKE_BINARY_DIR}/package-config/TavControlsConfig.cmake INSTALL_DESTINATION ${TAV_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package-config/TavControlsConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package-config/TavControlsConfig.cmake
              ${CMAKE_BINARY_DIR}/package-config/TavControlsConfigVersion.cmake
        DESTINATION ${TAV_PACKAGE_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/USING.md DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME TavControls)
set(CPACK_PACKAGE_VENDOR "TavControls developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win64)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
