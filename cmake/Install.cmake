# Installs the shared library, the public headers under include/brevant, a CMake package
# (find_package(Brevant CONFIG) with the target Brevant::brevant) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS brevant EXPORT BrevantTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} # a DLL
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} # its import library
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/brevant DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(BREVANT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Brevant)
install(EXPORT BrevantTargets NAMESPACE Brevant:: DESTINATION ${BREVANT_CMAKE_DIR})
configure_package_config_file(cmake/BrevantConfig.cmake.in ${PROJECT_BINARY_DIR}/BrevantConfig.cmake
                              INSTALL_DESTINATION ${BREVANT_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/BrevantConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/BrevantConfig.cmake ${PROJECT_BINARY_DIR}/BrevantConfigVersion.cmake
        DESTINATION ${BREVANT_CMAKE_DIR})

# The pkg-config file finds the prefix from its own place, so that an installed tree can be moved.
file(RELATIVE_PATH BREVANT_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/brevant.pc.in ${PROJECT_BINARY_DIR}/brevant.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/brevant.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
