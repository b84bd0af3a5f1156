# The sources of the core library and of the stand-in, written out folder by folder: a file
# joins the build when it is added here. Platform folders hold the code of one platform
# each; the build takes the folder of its target.
if(WIN32)
  set(KELVORT_PLATFORM_DIR windows)
  set(other_platform_dirs posix)
else()
  set(KELVORT_PLATFORM_DIR posix)
  set(other_platform_dirs "windows|win32")
endif()

# kelvort_sources(VARIABLE FOLDER FILE...): appends FOLDER/FILE... to VARIABLE.
macro(kelvort_sources variable folder)
  foreach(file ${ARGN})
    list(APPEND ${variable} ${CMAKE_SOURCE_DIR}/${folder}/${file})
  endforeach()
endmacro()

# The core library: everything of src/ but the program's main.
kelvort_sources(KELVORT_CORE_SOURCES src/util date_time_text.cpp run_error.cpp text.cpp
  wildcard.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/host late_binding.cpp variant.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/platform host_call_wait.cpp terminal_message_boxes.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/core path_resolution.cpp run_control.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/log error_log.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/report check_report.cpp report_csv.cpp report_format.cpp
  report_html.cpp run_record.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/settings path_helpers.cpp settings_file.cpp
  settings_paths_check.cpp xml_document.cpp xml_document_file.cpp xml_encoding.cpp
  xml_file_check.cpp xml_helpers.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/forms/toolkit buttons.cpp control.cpp
  file_system_lists.cpp folder_path.cpp form.cpp form_collection.cpp headless_renderer.cpp
  list_controls.cpp member_table.cpp menu.cpp renderer.cpp static_controls.cpp text_box.cpp
  wildcard.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/form_state form_state.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/lang lang_check.cpp language.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/forms forms.cpp frm_about.cpp frm_file_browser.cpp
  frm_folder_browser.cpp frm_main.cpp frm_settings.cpp path_dialog.cpp show_formular.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/parameters defined_value.cpp definition_checks.cpp
  definition_rows.cpp definition_rules.cpp fill_part.cpp formula_clash.cpp formula_holders.cpp
  part_design.cpp recording.cpp regional_number.cpp set_formulas.cpp set_informations.cpp
  set_parameter_name.cpp)
kelvort_sources(KELVORT_CORE_SOURCES src/app check.cpp check_text.cpp closing_message.cpp
  command_line.cpp host_check.cpp process_run_control.cpp run.cpp run_report.cpp session.cpp
  windows_run.cpp)
if(WIN32)
  kelvort_sources(KELVORT_CORE_SOURCES src/platform/windows clock.cpp com_dispatch.cpp
    com_failure.cpp com_services.cpp environment.cpp file_error.cpp file_handle.cpp file_system.cpp
    message_boxes.cpp message_filter.cpp native_platform.cpp progress_window.cpp regional_formats.cpp
    replace_file.cpp run_process.cpp shell.cpp variant_conversion.cpp wide_text.cpp window_stacking.cpp)
  kelvort_sources(KELVORT_CORE_SOURCES src/forms/win32 desktop_renderer.cpp form_window.cpp
    win32_renderer.cpp)
else()
  kelvort_sources(KELVORT_CORE_SOURCES src/platform/posix automation_protocol.cpp clock.cpp
    code_page.cpp com_services.cpp environment.cpp file_error.cpp file_system.cpp frame_server.cpp
    local_socket.cpp native_platform.cpp posix_path.cpp process_names.cpp regional_formats.cpp
    remote_dispatch.cpp replace_file.cpp run_process.cpp shell.cpp wmi_service.cpp wql_query.cpp)
  kelvort_sources(KELVORT_CORE_SOURCES src/forms/posix desktop_renderer.cpp)
endif()

# The stand-in: its object model in standin/, its server face in standin/<platform>/.
kelvort_sources(KELVORT_STANDIN_SOURCES standin application.cpp command_line.cpp document.cpp
  document_error.cpp document_reader.cpp document_writer.cpp faults.cpp formula.cpp host.cpp
  host_object.cpp hresult.cpp item_key.cpp journal.cpp knowledge_search.cpp member_table.cpp
  parameter.cpp parameter_type.cpp parameters.cpp part.cpp product.cpp products.cpp
  quoted_text.cpp relations.cpp search_query.cpp selection.cpp stand_in_main.cpp tree_text.cpp)
if(WIN32)
  kelvort_sources(KELVORT_STANDIN_SOURCES standin/windows automation_failure.cpp dispatch_server.cpp
    document_file_io.cpp registration.cpp type_library.cpp)
else()
  kelvort_sources(KELVORT_STANDIN_SOURCES standin/posix document_file_io.cpp server.cpp
    stop_signals.cpp)
endif()
set(KELVORT_STANDIN_MAIN ${CMAKE_SOURCE_DIR}/standin/${KELVORT_PLATFORM_DIR}/main.cpp)

# A source file of this platform in no list above would be left out without a word: the
# configure step names it instead.
file(GLOB_RECURSE all_sources RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src/*.cpp
     ${CMAKE_SOURCE_DIR}/standin/*.cpp)
foreach(file ${all_sources})
  if(NOT file MATCHES "^(src/app|standin/[a-z]+)/main\\.cpp$|/(${other_platform_dirs})/")
    list(FIND KELVORT_CORE_SOURCES ${CMAKE_SOURCE_DIR}/${file} in_core)
    list(FIND KELVORT_STANDIN_SOURCES ${CMAKE_SOURCE_DIR}/${file} in_standin)
    if(in_core EQUAL -1 AND in_standin EQUAL -1)
      message(FATAL_ERROR "${file} is in no source list of cmake/Sources.cmake")
    endif()
  endif()
endforeach()
