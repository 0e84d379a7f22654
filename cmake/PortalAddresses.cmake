# The portal addresses compiled into the launcher. Every part is a cache variable with a production
# default; a demo or test build points VELMORA_CLIENT_HOST (and the link hosts) at a local portal.
# Values are checked here, because a bad one would only show as a dead link at run time.

set(VELMORA_CLIENT_HOST "client.velmoraonline.com" CACHE STRING "Micro-client host of the portal (host[:port])")
set(VELMORA_GAME_CODE "velmora" CACHE STRING "Game code in the login page path")
set(VELMORA_CHANNEL_CODE "client" CACHE STRING "Distribution channel code (the login page's from= value)")
set(VELMORA_HOME_HOST "www.velmoraonline.com" CACHE STRING "Host of the game's home page")
set(VELMORA_PAY_HOST "pay.velmoraonline.com" CACHE STRING "Host of the payment site")
set(VELMORA_PAY_APPKEY "5e0d8c3b7a914f26b8d1c7e04a9f3b62" CACHE STRING "Application key at the payment site (32 lowercase hex)")
set(VELMORA_SERVICE_HOST "kf.velmoraonline.com" CACHE STRING "Host of the customer-service site")
set(VELMORA_FORUM_HOST "bbs.velmoraonline.com" CACHE STRING "Host of the game forum")

function(velmora_check_value name pattern what)
    if(NOT "${${name}}" MATCHES "${pattern}")
        message(FATAL_ERROR "${name}=\"${${name}}\" is not valid: expected ${what}.")
    endif()
endfunction()

set(_host_pattern "^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?(:[0-9]+)?$")
set(_host_what "a host name or address with an optional :port, and no scheme, path, spaces or quotes")
foreach(_var VELMORA_CLIENT_HOST VELMORA_HOME_HOST VELMORA_PAY_HOST VELMORA_SERVICE_HOST VELMORA_FORUM_HOST)
    velmora_check_value(${_var} "${_host_pattern}" "${_host_what}")
    if("${${_var}}" MATCHES ":([0-9]+)$" AND (CMAKE_MATCH_1 LESS 1 OR CMAKE_MATCH_1 GREATER 65535))
        message(FATAL_ERROR "${_var}=\"${${_var}}\" is not valid: the port must be 1 to 65535.")
    endif()
endforeach()
velmora_check_value(VELMORA_GAME_CODE "^[A-Za-z0-9_-]+$" "letters, digits, '_' or '-'")
velmora_check_value(VELMORA_CHANNEL_CODE "^[A-Za-z0-9_-]+$" "letters, digits, '_' or '-'")
velmora_check_value(VELMORA_PAY_APPKEY "^[0-9a-f]+$" "32 lowercase hexadecimal characters")
string(LENGTH "${VELMORA_PAY_APPKEY}" _appkey_length)
if(NOT _appkey_length EQUAL 32)
    message(FATAL_ERROR "VELMORA_PAY_APPKEY=\"${VELMORA_PAY_APPKEY}\" is not valid: expected 32 lowercase hexadecimal characters.")
endif()

set(VELMORA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/portal/PortalAddresses.h.in ${VELMORA_GENERATED_DIR}/portal/PortalAddresses.h @ONLY)
