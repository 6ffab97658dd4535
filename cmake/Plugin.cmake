# The VST 2.4 plug-in: the entry point linked with the effect, its editor and the signal
# path, exporting only the entry point (and its second name, main).
add_library(Marvolenzik MODULE ${PROJECT_SOURCE_DIR}/host/PluginEntry.cpp)
target_link_libraries(Marvolenzik PRIVATE marvolenzik_effect marvolenzik_options)
set_target_properties(Marvolenzik PROPERTIES
  PREFIX ""
  LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}
  RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

if(WIN32)
  # Marvolenzik.dll: the module definition names the two exports, main as a second name of
  # VSTPluginMain.
  target_sources(Marvolenzik PRIVATE ${PROJECT_SOURCE_DIR}/host/exports.def)
  target_link_options(Marvolenzik PRIVATE -s)
  install(FILES "$<TARGET_FILE:Marvolenzik>" DESTINATION vst)
else()
  # Marvolenzik.so: the version script keeps every symbol but the entry point local.
  set_target_properties(Marvolenzik PROPERTIES LINK_DEPENDS ${PROJECT_SOURCE_DIR}/host/exports.map)
  # nodelete: the libraries the editor draws and talks to X11 with (cairo, pixman,
  # fontconfig, X11) keep process-wide state and allocate in their initialisers; they are
  # not made to be unloaded when a host closes the plug-in, and a scanner that loads it
  # again and again would lose that memory each time.
  target_link_options(Marvolenzik PRIVATE
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/host/exports.map
    -Wl,--no-undefined
    -Wl,-z,defs
    -Wl,-z,nodelete)

  # `cmake --install` puts the plug-in where Linux hosts look for VST 2.4 plug-ins.
  include(cmake/InstallPlugin.cmake)
  marvolenzik_install_plugin(FILES "$<TARGET_FILE:Marvolenzik>" HOME_FOLDER .vst PREFIX_FOLDER lib/vst)
endif()
