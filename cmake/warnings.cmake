# Every project target links veltrane_warnings to get the same warning set.
add_library(veltrane_warnings INTERFACE)
target_compile_options(veltrane_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual)
if(VELTRANE_WERROR)
  target_compile_options(veltrane_warnings INTERFACE -Werror)
endif()
