# The JSON library (header-only, Debian's nlohmann-json3-dev) as the target verrask_json. Its
# folder is linked into the build tree alone, so that a cross-build sees it without the host's
# other headers; a SYSTEM include, so that its own warnings do not count.
find_path(VERRASK_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/json-include)
file(CREATE_LINK ${VERRASK_JSON_INCLUDE}/nlohmann ${CMAKE_BINARY_DIR}/json-include/nlohmann SYMBOLIC)
add_library(verrask_json INTERFACE)
target_include_directories(verrask_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/json-include)
