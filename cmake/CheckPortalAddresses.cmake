# Checks the VELMORA_* address parts; stops with a message naming the first bad one. Included by
# PortalAddresses.cmake, and runnable alone (cmake -DVELMORA_...=... -P) so tests can try values.

function(velmora_check_value name pattern what)
    if(NOT "${${name}}" MATCHES "${pattern}")
        message(FATAL_ERROR "${name}=\"${${name}}\" is not valid: expected ${what}.")
    endif()
endfunction()

# CMake's regular expressions have no {n,m}: spell the repetitions out.
set(_port "(:[0-9][0-9]?[0-9]?[0-9]?[0-9]?)?")
foreach(_var VELMORA_CLIENT_HOST VELMORA_HOME_HOST VELMORA_PAY_HOST VELMORA_SERVICE_HOST VELMORA_FORUM_HOST)
    velmora_check_value(${_var} "^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?${_port}$"
        "a host name or address with an optional :port, and no scheme, path, spaces or quotes")
    if("${${_var}}" MATCHES ":([0-9]+)$")
        if(CMAKE_MATCH_1 LESS 1 OR CMAKE_MATCH_1 GREATER 65535)
            message(FATAL_ERROR "${_var}=\"${${_var}}\" is not valid: the port must be 1 to 65535.")
        endif()
    endif()
endforeach()
velmora_check_value(VELMORA_GAME_CODE "^[A-Za-z0-9_-]+$" "letters, digits, '_' or '-'")
velmora_check_value(VELMORA_CHANNEL_CODE "^[A-Za-z0-9_-]+$" "letters, digits, '_' or '-'")
string(REPEAT "[0-9a-f]" 32 _appkey)
velmora_check_value(VELMORA_PAY_APPKEY "^${_appkey}$" "32 lowercase hexadecimal characters")
