# cmake -DSRC=from -DDST=to -P CopyIfMissing.cmake
# Leaves an existing DST alone, so a dictionary the user activated survives a rebuild.
if(NOT EXISTS "${DST}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
