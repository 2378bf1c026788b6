# For the guard, process and start-of-run tests: a task program (exit codes, sleeping,
# a held mutex, an association's program) and the login window driven on its own.
add_executable(qvtask task_program.cpp)
target_link_options(qvtask PRIVATE -static -mwindows)
add_executable(qvlogin login_window.cpp)
target_link_libraries(qvlogin PRIVATE qvcore)
target_link_options(qvlogin PRIVATE -static)
# win32_tests starts qvtask from beside itself.
add_dependencies(win32_tests qvtask)
