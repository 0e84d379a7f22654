# Configure-time checks of the compiled-in addresses: each case runs the check script alone with one
# part changed from a good set, and expects acceptance or a message that names the bad variable.
set(_good
    VELMORA_CLIENT_HOST=client.velmoraonline.com VELMORA_GAME_CODE=velmora VELMORA_CHANNEL_CODE=client
    VELMORA_HOME_HOST=www.velmoraonline.com VELMORA_PAY_HOST=pay.velmoraonline.com
    VELMORA_PAY_APPKEY=5e0d8c3b7a914f26b8d1c7e04a9f3b62 VELMORA_SERVICE_HOST=kf.velmoraonline.com
    VELMORA_FORUM_HOST=bbs.velmoraonline.com)

# name | variable | value | accepted?
set(_cases
    "production|VELMORA_CLIENT_HOST|client.velmoraonline.com|yes"
    "local-portal|VELMORA_CLIENT_HOST|127.0.0.1:18765|yes"
    "highest-port|VELMORA_FORUM_HOST|bbs.example.org:65535|yes"
    "scheme|VELMORA_CLIENT_HOST|http://client.velmoraonline.com|no"
    "path|VELMORA_HOME_HOST|www.velmoraonline.com/index|no"
    "space|VELMORA_PAY_HOST|pay velmoraonline.com|no"
    "quote|VELMORA_SERVICE_HOST|kf\"x.com|no"
    "empty-host|VELMORA_FORUM_HOST||no"
    "port-zero|VELMORA_CLIENT_HOST|127.0.0.1:0|no"
    "port-too-high|VELMORA_CLIENT_HOST|127.0.0.1:65536|no"
    "game-code-slash|VELMORA_GAME_CODE|a/b|no"
    "channel-code-query|VELMORA_CHANNEL_CODE|client&x=1|no"
    "appkey-uppercase|VELMORA_PAY_APPKEY|5E0D8C3B7A914F26B8D1C7E04A9F3B62|no"
    "appkey-short|VELMORA_PAY_APPKEY|5e0d8c3b7a914f26b8d1c7e04a9f3b6|no"
    "appkey-long|VELMORA_PAY_APPKEY|5e0d8c3b7a914f26b8d1c7e04a9f3b620|no")

foreach(_case IN LISTS _cases)
    string(REPLACE "|" ";" _fields "${_case}")
    list(GET _fields 0 _name)
    list(GET _fields 1 _variable)
    list(GET _fields 2 _value)
    list(GET _fields 3 _accepted)
    set(_arguments)
    foreach(_pair IN LISTS _good)
        string(REGEX MATCH "^[^=]+" _key "${_pair}")
        if(NOT _key STREQUAL _variable)
            list(APPEND _arguments "-D${_pair}")
        endif()
    endforeach()
    list(APPEND _arguments "-D${_variable}=${_value}" -P ${CMAKE_SOURCE_DIR}/cmake/CheckPortalAddresses.cmake)
    add_test(NAME configure.addresses.${_name} COMMAND ${CMAKE_COMMAND} ${_arguments})
    if(_accepted STREQUAL "no")
        # Only a FATAL_ERROR prints this, so matching it also proves configure stops.
        set_tests_properties(configure.addresses.${_name} PROPERTIES
            PASS_REGULAR_EXPRESSION "${_variable}=\".*\" is not valid")
    endif()
endforeach()
