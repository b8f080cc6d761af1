# `cmake --install` lays out the program directory: beside the install prefix (the portable
# layout, the default) or in PELLION_PROGRAM_DIR below it (the package's /usr/lib/pellion).
set(PELLION_PROGRAM_DIR "." CACHE STRING "Where the programs and their data go, relative to the install prefix")
set(PELLION_PROGRAMS Pellion Glossor radclient radeapclient pellion-demo-config pellion-run)
foreach(program IN LISTS PELLION_PROGRAMS)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${PELLION_PROGRAM_DIR})
  endif()
endforeach()

install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/demo-server.sh DESTINATION ${PELLION_PROGRAM_DIR})

# The program's own files: refreshed by every install.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Language ${PROJECT_SOURCE_DIR}/data/Help
  DESTINATION ${PELLION_PROGRAM_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/dictionary/dictionary DESTINATION ${PELLION_PROGRAM_DIR}/dictionary)

# What the programs and the user write (the user vendor index, script/, Log/) is made only
# where it is missing: Glossor rewrites the index, and a reinstall must not undo that.
install(CODE "
  set(pellion_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${PELLION_PROGRAM_DIR}\")
  if(NOT EXISTS \"\${pellion_dir}/dictionary/userdefine/dictionary\")
    file(INSTALL \"${PROJECT_SOURCE_DIR}/data/dictionary/userdefine/dictionary\"
      DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${PELLION_PROGRAM_DIR}/dictionary/userdefine\")
  else()
    message(STATUS \"Kept: \${pellion_dir}/dictionary/userdefine/dictionary\")
  endif()
  foreach(folder script Log)
    file(MAKE_DIRECTORY \"\${pellion_dir}/\${folder}\")
  endforeach()
")

include(PellionPackage)
