# The one version number of Vexil is project(Vexil VERSION ...) in the top CMakeLists.txt.
# From it the build makes vexil_version.h, which the resource scripts and the code include,
# and a version resource for every module, each with its own description.

set(VEXIL_COPYRIGHT_YEARS "2026")
set(VEXIL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/resources/common/vexil_version.h.in
               ${VEXIL_GENERATED_DIR}/vexil_version.h @ONLY)
include_directories(${VEXIL_GENERATED_DIR})

# What Explorer shows as each module's description, by target name.
set(VEXIL_DESCRIPTION_vexil "Vexil icon editor")
set(VEXIL_DESCRIPTION_vexilc "Vexil command-line tool")
set(VEXIL_DESCRIPTION_vexil-bench "Vexil benchmark")
set(VEXIL_DESCRIPTION_pyx "Vexil document core")
set(VEXIL_DESCRIPTION_easel "Vexil editing area")
set(VEXIL_DESCRIPTION_sieve "Vexil filters")
set(VEXIL_DESCRIPTION_lustre "Vexil effects")
set(VEXIL_DESCRIPTION_fxdialogs "Vexil filter and effect dialogs")
set(VEXIL_DESCRIPTION_imagestrip "Vexil image list")
set(VEXIL_DESCRIPTION_layerpane "Vexil layers panel")
set(VEXIL_DESCRIPTION_swatch "Vexil color picker")
set(VEXIL_DESCRIPTION_toolrack "Vexil toolbox")
set(VEXIL_DESCRIPTION_pixport "Vexil image import")
set(VEXIL_DESCRIPTION_TempDll "Vexil icon library")

set(VEXIL_MANIFEST ${PROJECT_SOURCE_DIR}/resources/common/vexil.manifest)
set(VEXIL_MANIFESTED_PROGRAMS vexil vexilc)

# Writes the resource script of a module's version (and, with MANIFEST, its application
# manifest) into the current binary folder and returns its path in out_var.
#   vexil_version_script(out_var name file.ext APP|DLL [MANIFEST])
function(vexil_version_script out_var name file kind)
  cmake_parse_arguments(ARG "MANIFEST" "" "" ${ARGN})
  if(NOT DEFINED VEXIL_DESCRIPTION_${name})
    message(FATAL_ERROR "No description for module ${name}: add it to cmake/VexilVersion.cmake")
  endif()
  set(VEXIL_MODULE_NAME ${name})
  set(VEXIL_MODULE_FILE ${file})
  set(VEXIL_MODULE_DESCRIPTION ${VEXIL_DESCRIPTION_${name}})
  set(VEXIL_MODULE_TYPE VFT_${kind})
  set(VEXIL_MODULE_MANIFEST "")
  if(ARG_MANIFEST)
    # Resource 1 of type 24: the manifest the loader reads when the program starts.
    set(VEXIL_MODULE_MANIFEST "1 24 \"${VEXIL_MANIFEST}\"")
  endif()
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/common/module_version.rc.in ${script} @ONLY)
  set(${out_var} ${script} PARENT_SCOPE)
endfunction()

# Adds the version resource (and the manifest) to a module built by this build.
#   vexil_version_resource(target APP|DLL [MANIFEST])
function(vexil_version_resource target kind)
  if(kind STREQUAL "APP")
    set(file ${target}.exe)
  else()
    set(file ${target}.dll)
  endif()
  vexil_version_script(script ${target} ${file} ${kind} ${ARGN})
  target_sources(${target} PRIVATE ${script})
  if("MANIFEST" IN_LIST ARGN)
    set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS ${VEXIL_MANIFEST})
  endif()
endfunction()

# The 32-bit library template is built by a custom command with the i686 compiler; this
# compiles its version resource with the matching resource compiler into an object file
# that the command links, and returns the object's path.
#   vexil_i686_version_object(out_var)
function(vexil_i686_version_object out_var)
  find_program(VEXIL_I686_WINDRES NAMES i686-w64-mingw32-windres REQUIRED)
  vexil_version_script(script TempDll TempDll.dll DLL)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/TempDll_version.o)
  add_custom_command(OUTPUT ${object}
    COMMAND ${VEXIL_I686_WINDRES} -I ${VEXIL_GENERATED_DIR} -i ${script} -o ${object}
    DEPENDS ${script} ${VEXIL_GENERATED_DIR}/vexil_version.h
    COMMENT "Compiling the version resource of TempDll.dll")
  set(${out_var} ${object} PARENT_SCOPE)
endfunction()
