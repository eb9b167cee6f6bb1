# core/common is the core's ground floor: it includes nothing from the core's other
# folders, so anything may build on it without a loop.
# cmake -DSOURCE_DIR=<repository> -P CheckCommonIncludes.cmake
file(GLOB files ${SOURCE_DIR}/src/core/common/*.h ${SOURCE_DIR}/src/core/common/*.cpp)
foreach(file ${files})
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"core/")
  foreach(line ${includes})
    if(NOT line MATCHES "\"core/common/")
      message(SEND_ERROR "${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(NOT files)
  message(FATAL_ERROR "no files in ${SOURCE_DIR}/src/core/common")
endif()
