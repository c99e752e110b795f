# The sample PDF files: copied beside the executable at build time (so the
# program finds them in its own folder when run from the build tree) and
# installed beside the installed executable.
file(GLOB CORVANTA_SAMPLE_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/Samples/*)

set(CORVANTA_SAMPLES_OUTPUT_DIR ${CMAKE_BINARY_DIR}/app/Samples)
set(CORVANTA_SAMPLE_COPIES "")
foreach(sample ${CORVANTA_SAMPLE_FILES})
  get_filename_component(sample_name "${sample}" NAME)
  set(copy "${CORVANTA_SAMPLES_OUTPUT_DIR}/${sample_name}")
  add_custom_command(OUTPUT "${copy}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CORVANTA_SAMPLES_OUTPUT_DIR}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${sample}" "${copy}"
    DEPENDS "${sample}"
    COMMENT "Copying sample ${sample_name}"
    VERBATIM)
  list(APPEND CORVANTA_SAMPLE_COPIES "${copy}")
endforeach()
add_custom_target(corvanta_samples ALL DEPENDS ${CORVANTA_SAMPLE_COPIES})
add_dependencies(corvanta corvanta_samples)

install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/Samples/ DESTINATION ${CORVANTA_INSTALL_APPDIR}/Samples)

# Writes the samples anew; tools/make-samples.sh runs it and then encrypts the
# protected one with pdftk.
add_executable(corvanta_make_samples ${CMAKE_SOURCE_DIR}/tools/make_samples.cpp)
target_link_libraries(corvanta_make_samples PRIVATE Qt6::Gui)
set_target_properties(corvanta_make_samples PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
