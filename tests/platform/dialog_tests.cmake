# The dialog and controls suites: headless model tests, and one GL test under SDL's
# offscreen video driver.

add_executable(dialog_tests
  ${CMAKE_CURRENT_LIST_DIR}/dialog_events_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_input_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_controls_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_render_test.cpp
)
target_link_libraries(dialog_tests PRIVATE orvanta_platform GTest::gtest GTest::gtest_main)
# The platform suites' environment: LeakSanitizer suppressions for third-party caches.
gtest_discover_tests(dialog_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "${platform_test_environment}")

# The GL backend's headers include libepoxy's.
find_package(PkgConfig REQUIRED)
pkg_check_modules(DIALOG_TEST_EPOXY REQUIRED IMPORTED_TARGET epoxy)
add_executable(dialog_gl_tests ${CMAKE_CURRENT_LIST_DIR}/dialog_gl_test.cpp)
target_link_libraries(dialog_gl_tests PRIVATE orvanta_platform PkgConfig::DIALOG_TEST_EPOXY
  GTest::gtest GTest::gtest_main)
target_compile_definitions(dialog_gl_tests PRIVATE
  DIALOG_ARTIFACT_DIR="${CMAKE_BINARY_DIR}/tests/artifacts")
gtest_discover_tests(dialog_gl_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "${platform_test_environment}"
             ENVIRONMENT_MODIFICATION "SDL_VIDEODRIVER=set:offscreen")
