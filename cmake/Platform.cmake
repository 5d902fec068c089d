# What differs between the platforms is kept in one small source file per
# difference; this picks the files (and what they need) for the target.
#   MINDPRISM_LABEL_MEASURE       how a wrapped label is measured
#   MINDPRISM_LABEL_MEASURE_LIBS  what that file links against
#   MINDPRISM_COMMAND_SPLIT       how an open command is split into arguments
if(WIN32)
  set(MINDPRISM_LABEL_MEASURE label_measure_msw.cpp)
  set(MINDPRISM_LABEL_MEASURE_LIBS "")
  set(MINDPRISM_COMMAND_SPLIT command_split_msw.cpp)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET GLOBAL gtk+-3.0)
  set(MINDPRISM_LABEL_MEASURE label_measure_gtk.cpp)
  set(MINDPRISM_LABEL_MEASURE_LIBS PkgConfig::GTK3)
  set(MINDPRISM_COMMAND_SPLIT command_split_unix.cpp)
endif()
