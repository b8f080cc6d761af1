# `cmake --install` lays out the self-contained program directory.
set(PELLION_PROGRAMS Pellion Glossor radclient radeapclient)
foreach(program IN LISTS PELLION_PROGRAMS)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION .)
  endif()
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION .)
# The programs expect these and never create them.
install(DIRECTORY DESTINATION script)
install(DIRECTORY DESTINATION Log)
