# What `cmake --install` puts in place: the run-time libraries with their
# headers and a CMake package (find_package(Ambit), Ambit::ambitrt), the
# programs, the designer's plug-ins; and a Debian package through CPack.
include_guard(GLOBAL)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(AMBIT_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Ambit)
set(AMBIT_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/ambit)

# Libraries other projects link; each one that was built.
set(ambit_exported host ambitrt)
set(AMBIT_HAS_SQLITE OFF)
set(AMBIT_HAS_PG OFF)
set(AMBIT_HAS_QT OFF)
if(TARGET host_sqlite)
  list(APPEND ambit_exported host_sqlite)
  set(AMBIT_HAS_SQLITE ON)
endif()
if(TARGET host_pg)
  list(APPEND ambit_exported host_pg)
  set(AMBIT_HAS_PG ON)
endif()
if(TARGET host_qt)
  list(APPEND ambit_exported host_qt)
  set(AMBIT_HAS_QT ON)
endif()
install(TARGETS ${ambit_exported} EXPORT AmbitTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${AMBIT_INSTALL_INCLUDEDIR})
# Headers keep their folders: code includes "runtime/AmFormLocal.h".
foreach(dir host runtime)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir} DESTINATION ${AMBIT_INSTALL_INCLUDEDIR}
          FILES_MATCHING PATTERN "*.h")
endforeach()
install(EXPORT AmbitTargets NAMESPACE Ambit:: DESTINATION ${AMBIT_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/AmbitConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/AmbitConfig.cmake INSTALL_DESTINATION ${AMBIT_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/AmbitConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/AmbitConfig.cmake ${PROJECT_BINARY_DIR}/AmbitConfigVersion.cmake
        DESTINATION ${AMBIT_INSTALL_CMAKEDIR})

# Programs and the designer's plug-ins, those that were built.
foreach(program ambit studio sample)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
# studio loads the plug-ins of the "plugins" folder beside itself.
foreach(plugin ambitdt polyform)
  if(TARGET ${plugin})
    install(TARGETS ${plugin} LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/plugins)
  endif()
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/sample DESTINATION ${CMAKE_INSTALL_DATADIR}/ambit/examples)

# cpack -G DEB in the build folder makes a Debian package of the same.
set(CPACK_PACKAGE_NAME ambit-localizer)
set(CPACK_PACKAGE_VENDOR "Ambit Localizer")
set(CPACK_PACKAGE_CONTACT "Ambit Localizer developers <ambit@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Localization components for form-based desktop applications")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
include(CPack)
