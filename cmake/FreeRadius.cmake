# Debian's libfreeradius 3.2: no pkg-config file, no SONAME, outside the loader's path.
find_path(FREERADIUS_INCLUDE_DIR freeradius/libradius.h REQUIRED)
find_library(FREERADIUS_LIBRARY freeradius-radius PATHS /usr/lib/freeradius REQUIRED NO_DEFAULT_PATH)
get_filename_component(FREERADIUS_LIBRARY_DIR ${FREERADIUS_LIBRARY} DIRECTORY)

add_library(freeradius::radius INTERFACE IMPORTED)
# Debian does not ship freeradius/automask.h, which the headers include; an empty one is ours.
target_include_directories(freeradius::radius INTERFACE
  ${PROJECT_SOURCE_DIR}/src/radius/shim ${FREERADIUS_INCLUDE_DIR})
target_link_libraries(freeradius::radius INTERFACE ${FREERADIUS_LIBRARY} PkgConfig::TALLOC)
target_link_options(freeradius::radius INTERFACE "-Wl,-rpath,${FREERADIUS_LIBRARY_DIR}")
