# Checks the builder's PARVANE_HOME_PAGE and decides what the build does with it:
# PARVANE_HOME_PAGE_ADDRESS is the address the package and its metadata name (empty: none),
# PARVANE_START_UP_PAGE the one the window opens now and then (empty: it never opens one).
#
# Names reserved for examples and tests (RFC 2606, RFC 6761) never reach the program or
# the package: such a placeholder counts as no address at all.

set(PARVANE_HOME_PAGE_ADDRESS "${PARVANE_HOME_PAGE}")
if(NOT PARVANE_HOME_PAGE_ADDRESS STREQUAL "")
    # The screenshot in the AppStream metadata lies in the page's folder.
    if(NOT PARVANE_HOME_PAGE_ADDRESS MATCHES "^https?://([^/:?#@]+)(:[0-9]+)?/([^?#]*/)?$")
        message(FATAL_ERROR "PARVANE_HOME_PAGE '${PARVANE_HOME_PAGE_ADDRESS}' is no web address "
                            "of a folder (https://host/ or https://host/folder/)")
    endif()
    string(TOLOWER "${CMAKE_MATCH_1}" host)
    if(host MATCHES "(^|\\.)(example\\.(com|net|org)|example|test|invalid|localhost)$")
        message(WARNING "PARVANE_HOME_PAGE '${PARVANE_HOME_PAGE_ADDRESS}' is a placeholder "
                        "(${host} is reserved for examples): the build has no home page. Give "
                        "the real address, or none (-DPARVANE_HOME_PAGE=).")
        set(PARVANE_HOME_PAGE_ADDRESS "")
    endif()
endif()

set(PARVANE_START_UP_PAGE "")
if(PARVANE_OPEN_HOME_PAGE)
    set(PARVANE_START_UP_PAGE "${PARVANE_HOME_PAGE_ADDRESS}")
endif()
