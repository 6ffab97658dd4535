# Installs plug-in files where hosts look for them: into ~/HOME_FOLDER, or into
# <prefix>/PREFIX_FOLDER when a prefix is given (at configure or at install time). The
# choice is made when installing, since `cmake --install --prefix` arrives only then.
# DIRECTORY installs a bundle folder instead of files.
# The default prefix is known only on the build tree's first configure; it is kept.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(MARVOLENZIK_DEFAULT_PREFIX "${CMAKE_INSTALL_PREFIX}" CACHE INTERNAL "the install prefix nobody chose")
endif()

function(marvolenzik_install_plugin)
  cmake_parse_arguments(PLUGIN "" "HOME_FOLDER;PREFIX_FOLDER;DIRECTORY" "FILES" ${ARGN})
  if(PLUGIN_DIRECTORY)
    set(what "TYPE DIRECTORY USE_SOURCE_PERMISSIONS FILES \"${PLUGIN_DIRECTORY}\"")
  else()
    set(what "TYPE FILE FILES")
    foreach(file IN LISTS PLUGIN_FILES)
      string(APPEND what " \"${file}\"")
    endforeach()
  endif()
  install(CODE "
    if(\"\${CMAKE_INSTALL_PREFIX}\" STREQUAL \"${MARVOLENZIK_DEFAULT_PREFIX}\")
      set(pluginDir \"\$ENV{HOME}/${PLUGIN_HOME_FOLDER}\")
    else()
      set(pluginDir \"\${CMAKE_INSTALL_PREFIX}/${PLUGIN_PREFIX_FOLDER}\")
    endif()
    file(INSTALL DESTINATION \"\${pluginDir}\" ${what})
  ")
endfunction()
