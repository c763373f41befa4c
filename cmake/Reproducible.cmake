# Byte-identical executables from the same sources: the linker otherwise stamps every PE header
# with the time of the link, and compiled paths would name the checkout's folder.
include_guard(GLOBAL)
if(WIN32)
    add_link_options(-Wl,--no-insert-timestamp)
    add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
endif()
