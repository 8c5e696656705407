# The XML document library for C++ programs outside this project: cmake --install puts its
# static libraries, its headers and a CMake package in place, so that
#
#   find_package(zelXML 1.0 REQUIRED)
#   target_link_libraries(app PRIVATE zelXML::XmlDom)
#
# gives a program the library (#include "XmlDom/XmlDom.h"). The Xtra module and the tools are
# not part of the package.
include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

set(ZEL_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zelXML)
set(ZEL_HEADER_DIR ${CMAKE_INSTALL_INCLUDEDIR}/zelXML)

set_target_properties(zel_xmldom PROPERTIES EXPORT_NAME XmlDom)
set_target_properties(zel_platform PROPERTIES EXPORT_NAME Platform)
set_target_properties(zel_common PROPERTIES EXPORT_NAME Common)
foreach(library zel_xmldom zel_platform zel_common)
  target_include_directories(${library} INTERFACE $<INSTALL_INTERFACE:${ZEL_HEADER_DIR}>)
endforeach()
# The headers need C++20 (the message catalogue converts its texts at compile time).
target_compile_features(zel_common PUBLIC cxx_std_20)

install(TARGETS zel_xmldom zel_platform zel_common EXPORT zelXMLTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The headers keep their folders, which is how they include each other. Of the platform layer
# only the file interface is seen from the library's headers.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/XmlDom ${PROJECT_SOURCE_DIR}/src/common
        DESTINATION ${ZEL_HEADER_DIR} FILES_MATCHING PATTERN "*.h")
install(FILES ${PROJECT_SOURCE_DIR}/src/platform/File.h DESTINATION ${ZEL_HEADER_DIR}/platform)

install(EXPORT zelXMLTargets NAMESPACE zelXML:: DESTINATION ${ZEL_PACKAGE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/zelXMLConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/zelXMLConfig.cmake
                              INSTALL_DESTINATION ${ZEL_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zelXMLConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zelXMLConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/zelXMLConfigVersion.cmake
        DESTINATION ${ZEL_PACKAGE_DIR})
