# The Windows runtime travels inside every saver, so its cold code is built for size:
# the entry and run modes, the setup dialog, the platform's forms, files and profiles,
# and the Win32 backend's windows and services, which run once per event, not per
# pixel. What composes, decodes or presents frames (transition/, common/, package/,
# saver/, the canvas host and the frame surface) keeps the release optimisation.
if(WIN32)
  foreach(target scr_app scr_setup scr_platform_base scr_platform_win32)
    if(TARGET ${target})
      target_compile_options(${target} PRIVATE -Os)
    endif()
  endforeach()
  if(TARGET scr_platform_win32)
    set_property(SOURCE ${PROJECT_SOURCE_DIR}/platform/win32/win32_frame_surface.cpp
      TARGET_DIRECTORY scr_platform_win32 APPEND PROPERTY COMPILE_OPTIONS -O3)
  endif()
endif()
