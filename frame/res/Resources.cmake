# Generates the cursor and bitmap files of TavControls.rc from their text drawings and lets the resource
# compiler find them. Included from the top CMakeLists.txt once the TavControls target exists.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TAV_RES_SOURCE_DIR ${CMAKE_SOURCE_DIR}/frame/res)
set(TAV_RES_OUTPUT_DIR ${CMAKE_BINARY_DIR}/res)
set(TAV_RES_GENERATED
    ${TAV_RES_OUTPUT_DIR}/CheckBoxes.bmp
    ${TAV_RES_OUTPUT_DIR}/DragCursor31508.cur
    ${TAV_RES_OUTPUT_DIR}/DragCursor31509.cur
    ${TAV_RES_OUTPUT_DIR}/DragCursor31510.cur)

add_custom_command(
    OUTPUT ${TAV_RES_GENERATED}
    COMMAND Python3::Interpreter ${TAV_RES_SOURCE_DIR}/make_resources.py
            ${TAV_RES_SOURCE_DIR}/CheckBoxes.txt ${TAV_RES_SOURCE_DIR}/DragCursors.txt ${TAV_RES_OUTPUT_DIR}
    DEPENDS ${TAV_RES_SOURCE_DIR}/make_resources.py
            ${TAV_RES_SOURCE_DIR}/CheckBoxes.txt ${TAV_RES_SOURCE_DIR}/DragCursors.txt
    COMMENT "Drawing the cursors and check-box bitmap of TavControls.dll"
    VERBATIM)

target_sources(TavControls PRIVATE ${TAV_RES_GENERATED})
set_source_files_properties(${TAV_RES_SOURCE_DIR}/TavControls.rc PROPERTIES
    OBJECT_DEPENDS "${TAV_RES_GENERATED};${TAV_RES_SOURCE_DIR}/TavControls.manifest")
target_include_directories(TavControls PRIVATE ${TAV_RES_OUTPUT_DIR} ${TAV_RES_SOURCE_DIR})
