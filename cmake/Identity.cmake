# Who the deliverables are: one version for all of them, written into each one's
# VERSIONINFO resource (and read by the installer), each program's application
# manifest with the execution level it needs, and the signature on each file.
#
#   vantor_identify(<target> DESCRIPTION <text> [LEVEL asInvoker|highestAvailable|requireAdministrator])
#
# LEVEL is for programs only; a DLL runs with its caller's rights and takes no manifest.
set(VANTOR_VERSION "1.0.0.1")  # every deliverable and the installer
if(NOT VANTOR_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "VANTOR_VERSION must be four numbers: ${VANTOR_VERSION}")
endif()
set(VANTOR_COMPANY "Playmoor")
set(VANTOR_PRODUCT "Vantor Online")

function(vantor_identify target)
  cmake_parse_arguments(ARG "" "DESCRIPTION;LEVEL" "" ${ARGN})
  get_target_property(kind ${target} TYPE)
  set(ID_DESCRIPTION "${ARG_DESCRIPTION}")
  set(ID_INTERNAL_NAME "${target}")
  string(REPLACE "." "," ID_VERSION_COMMAS "${VANTOR_VERSION}")
  if(kind STREQUAL "SHARED_LIBRARY")
    set(ID_FILE_NAME "${target}.dll")
    set(ID_FILE_TYPE "VFT_DLL")
    set(ID_MANIFEST_LINE "")
    if(ARG_LEVEL)
      message(FATAL_ERROR "${target}: a DLL takes no execution level")
    endif()
  else()
    set(ID_FILE_NAME "${target}.exe")
    set(ID_FILE_TYPE "VFT_APP")
    if(NOT ARG_LEVEL MATCHES "^(asInvoker|highestAvailable|requireAdministrator)$")
      message(FATAL_ERROR "${target}: LEVEL must be asInvoker, highestAvailable or requireAdministrator")
    endif()
    set(ID_LEVEL "${ARG_LEVEL}")
    set(manifest "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest")
    configure_file("${VANTOR_IDENTITY_DIR}/app.manifest.in" "${manifest}" @ONLY)
    # Resource 1 of type 24: the manifest the loader reads when it starts the program.
    set(ID_MANIFEST_LINE "1 24 \"${manifest}\"")
  endif()
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_identity.rc")
  configure_file("${VANTOR_IDENTITY_DIR}/VersionInfo.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
  vantor_sign(${target})
endfunction()

# Signs a target's file after each link (scripts/sign.sh): the development
# deployment with the development CA's code-signing key, any other with the
# operator's key named by VANTOR_SIGN_KEY and VANTOR_SIGN_CERT.
function(vantor_sign target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/sign.sh" --deployment "${VANTOR_DEPLOYMENT}"
            --devca "${VANTOR_DEVCA_DIR}" "$<TARGET_FILE:${target}>"
    VERBATIM)
  if(VANTOR_DEPLOYMENT STREQUAL "dev")
    add_dependencies(${target} devca)   # the signing key comes with the development CA
    # A development CA made anew (its hosts changed) relinks, and so re-signs, the file.
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${VANTOR_DEVCA_DIR}/codesign-chain.pem")
  endif()
endfunction()
set(VANTOR_IDENTITY_DIR "${CMAKE_CURRENT_LIST_DIR}/identity")
