# One static library per folder of src/.
function(voxa_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# One test executable per test class, run by CTest without a display.
function(voxa_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} voxa_testsupport Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VOXA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;VOXA_BIN_DIR=${CMAKE_BINARY_DIR}/bin;VOXA_HELP_DIR=${PROJECT_SOURCE_DIR}/help"
        TIMEOUT 120)
endfunction()

# The same test program run a second time with its folders on a real SMB share (see
# tools/onshare.sh), as "<name>_share"; skipped where the machine cannot mount one. One share test
# at a time: they use the same loopback address.
function(voxa_share_test name)
    add_test(NAME ${name}_share COMMAND sh ${PROJECT_SOURCE_DIR}/tools/onshare.sh $<TARGET_FILE:${name}>)
    set_tests_properties(${name}_share PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VOXA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;VOXA_BIN_DIR=${CMAKE_BINARY_DIR}/bin;VOXA_HELP_DIR=${PROJECT_SOURCE_DIR}/help"
        SKIP_RETURN_CODE 77
        RESOURCE_LOCK smbshare
        TIMEOUT 600)
endfunction()
