# The Make view's tests (label web): the page's writer against `scrtool make` under
# Node, and the view in Chromium. Included by tests/web/CMakeLists.txt.
set(make_writer_node ${SCR_WEB_BUILD_DIR}/tools/webwriter/webwriter-node.js)
add_test(NAME web_make_writer
  COMMAND ${CMAKE_COMMAND} -E env
    SCR_WEBWRITER_NODE=${make_writer_node} SCRTOOL=$<TARGET_FILE:scrtool>
    SCR_RUNTIME=${SCR_WEB_BUILD_DIR}/site/runtime.scr SCR_HOOK=${SCR_WEB_BUILD_DIR}/site/nuvscrhook.dll
    bash -c "[ -f \"$SCR_WEBWRITER_NODE\" ] || { echo 'SKIP: no web build'; exit 77; }; exec node --no-experimental-fetch --test \"$0\""
    ${CMAKE_CURRENT_SOURCE_DIR}/make_writer.test.mjs)
set_tests_properties(web_make_writer PROPERTIES LABELS web TIMEOUT 120 SKIP_RETURN_CODE 77)
add_test(NAME web_make_rules
  COMMAND ${CMAKE_COMMAND} -E env
    SCR_WEBWRITER_NODE=${make_writer_node} SCR_WEB_SITE=${SCR_WEB_BUILD_DIR}/site
    bash -c "[ -f \"$SCR_WEBWRITER_NODE\" ] || { echo 'SKIP: no web build'; exit 77; }; exec node --no-experimental-fetch --test \"$0\""
    ${CMAKE_CURRENT_SOURCE_DIR}/make_rules.test.mjs)
set_tests_properties(web_make_rules PROPERTIES LABELS web TIMEOUT 120 SKIP_RETURN_CODE 77)
add_test(NAME web_make_page
  COMMAND ${CMAKE_COMMAND} -E env
    SCR_WEB_SITE=${SCR_WEB_BUILD_DIR}/site SCR_WEB_TEST_OUT=${CMAKE_CURRENT_BINARY_DIR}/out
    SCRTOOL=$<TARGET_FILE:scrtool> SAVERDEMO=$<TARGET_FILE:saverdemo>
    ${CMAKE_CURRENT_SOURCE_DIR}/run-node-test.sh ${CMAKE_CURRENT_SOURCE_DIR}/make_page.test.js)
set_tests_properties(web_make_page PROPERTIES LABELS web TIMEOUT 300 SKIP_RETURN_CODE 77 RESOURCE_LOCK chromium)
