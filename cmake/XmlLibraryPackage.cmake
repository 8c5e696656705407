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
# The headers need C++20 (constrained templates, std::endian).
target_compile_features(zel_common PUBLIC cxx_std_20)

install(TARGETS zel_xmldom zel_platform zel_common EXPORT zelXMLTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# The headers a program of its own includes, as paths under src/; they keep their folders,
# which is how they include each other. They are the contract and nothing more: the abstract
# interfaces (documents, nodes and node lists, name tables), the functions that make documents
# and tables, typed values and their text forms, streams, the one exception type and the one
# counted handle. The classes behind the interfaces, the readers, the writers, the store and the
# platform layer stay in the build tree. The package test checks that the installed headers are
# exactly these and that each compiles alone against the installed package.
set(ZEL_XML_INSTALLED_HEADERS
    XmlDom/XmlDom.h
    XmlDom/IXmlObject.h
    XmlDom/IXmlNode.h
    XmlDom/IXmlDocument.h
    XmlDom/IXmlNodeList.h
    XmlDom/IXmlNameTable.h
    XmlDom/XmlValue.h
    XmlDom/XmlValueText.h
    XmlDom/XmlConvert.h
    XmlDom/XmlLocale.h
    XmlDom/Base64.h
    XmlDom/XmlStream.h
    XmlDom/XmlBytes.h
    common/Error.h
    common/RefCounted.h)
foreach(header IN LISTS ZEL_XML_INSTALLED_HEADERS)
  cmake_path(GET header PARENT_PATH folder)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${header} DESTINATION ${ZEL_HEADER_DIR}/${folder})
endforeach()

install(EXPORT zelXMLTargets NAMESPACE zelXML:: DESTINATION ${ZEL_PACKAGE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/zelXMLConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/zelXMLConfig.cmake
                              INSTALL_DESTINATION ${ZEL_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zelXMLConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zelXMLConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/zelXMLConfigVersion.cmake
        DESTINATION ${ZEL_PACKAGE_DIR})
