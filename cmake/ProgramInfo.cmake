# What the programs and the installed files say about Tickwell, each in one place: the version is
# the project's own (project() in the top CMakeLists.txt); the icon's name in the icon theme is
# the one the desktop entry, the tray and the windows use; the desktop id names the desktop entry
# and the software-centre description, and is what the program reports to the desktop.
set(TICKWELL_ICON_NAME tickwell)
set(TICKWELL_DESKTOP_ID example.tickwell.Tickwell)

# The programs include "program/ProgramInfo.h", written here from the values above.
configure_file(${CMAKE_CURRENT_LIST_DIR}/ProgramInfo.h.in
               ${TICKWELL_INCLUDE_ROOT}/generated/program/ProgramInfo.h @ONLY)
add_library(tickwell_program_info INTERFACE)
target_include_directories(tickwell_program_info INTERFACE ${TICKWELL_INCLUDE_ROOT}/generated)
