# Warning flags shared by every target of the project.
add_library(mindprism_warnings INTERFACE)
target_compile_options(mindprism_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter)
