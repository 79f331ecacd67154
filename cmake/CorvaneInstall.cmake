include(CMakePackageConfigHelpers)

install(TARGETS corvane EXPORT CorvaneTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/corvane DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT CorvaneTargets
  NAMESPACE corvane::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Corvane)

configure_package_config_file(cmake/CorvaneConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/CorvaneConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Corvane)
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/CorvaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/CorvaneConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/CorvaneConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Corvane)
