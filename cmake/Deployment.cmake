# Picks the deployment (the operator's host names) at configure time:
#   -DVANTOR_DEPLOYMENT=dev         loopback hosts served by counterparts/ (default)
#   -DVANTOR_DEPLOYMENT=production  names under a reserved domain
set(VANTOR_DEPLOYMENT "dev" CACHE STRING "Deployment whose host names are built in")
set_property(CACHE VANTOR_DEPLOYMENT PROPERTY STRINGS dev production)
set(_deployment_file "${CMAKE_CURRENT_LIST_DIR}/deployments/${VANTOR_DEPLOYMENT}.cmake")
if(NOT EXISTS "${_deployment_file}")
  message(FATAL_ERROR "Unknown deployment '${VANTOR_DEPLOYMENT}'")
endif()
include("${_deployment_file}")
set(VANTOR_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
configure_file("${CMAKE_CURRENT_LIST_DIR}/Deployment.h.in" "${VANTOR_GENERATED_DIR}/Deployment.h" @ONLY)
configure_file("${CMAKE_CURRENT_LIST_DIR}/deployment.json.in" "${VANTOR_GENERATED_DIR}/deployment.json" @ONLY)
