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

include(${CMAKE_CURRENT_LIST_DIR}/CheckPortalAddresses.cmake)

set(VELMORA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/portal/PortalAddresses.h.in ${VELMORA_GENERATED_DIR}/portal/PortalAddresses.h @ONLY)
