# windres tells the build nothing of what a resource script includes, so each script names its
# includes here; call this in every folder whose targets list one of the scripts.
function(linkloom_track_resources)
  set(res ${PROJECT_SOURCE_DIR}/resources)
  set(icons ${res}/resource.h ${res}/program.ico ${res}/folder-box.ico)
  set_source_files_properties(${res}/dialogs.rc PROPERTIES OBJECT_DEPENDS ${res}/resource.h)
  set_source_files_properties(${res}/icons.rc PROPERTIES OBJECT_DEPENDS "${icons}")
  set_source_files_properties(${res}/manifest.rc PROPERTIES OBJECT_DEPENDS ${res}/linkloom.manifest)
  set_source_files_properties(${res}/linkloom.rc PROPERTIES OBJECT_DEPENDS
    "${res}/dialogs.rc;${res}/icons.rc;${res}/manifest.rc;${icons};${res}/linkloom.manifest;${PROJECT_SOURCE_DIR}/src/base/Version.h")
endfunction()
