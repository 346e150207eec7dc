# cmake -DSOURCE=<file> -DDESTINATION=<file> -P copyifmissing.cmake
# Copies SOURCE to DESTINATION unless DESTINATION already exists.
if(NOT EXISTS "${DESTINATION}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}")
  message(STATUS "Installed ${DESTINATION}")
endif()
