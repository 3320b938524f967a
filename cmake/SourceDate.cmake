# The release this source makes and the one time stamp every file of the build carries.
#
# packaging/changelog's latest entry, on top, names the release: its version must be the
# project's, and its date is the release date (PARVANE_RELEASE_DATE, for the AppStream
# metadata) and the source date (PARVANE_SOURCE_DATE_EPOCH, seconds since 1970) that
# reproducible builds agree on: the same source gives the same package, whoever builds it
# and whenever. A SOURCE_DATE_EPOCH in the configuring environment, as dpkg-buildpackage
# sets it, takes precedence.
#
# Every custom command of the build (Qt's resource compiler, help2man, ...) runs with
# SOURCE_DATE_EPOCH set, so the time stamps rcc stores with the pictures and catalogues,
# and the date of the manual pages, are the source date rather than the build's hour.

# Seconds since 1970-01-01 00:00 UTC of a local time in the Gregorian calendar, written
# with its offset from UTC (sign "+" or "-", hours, minutes).
function(parvane_seconds_since_1970 out year month day hour minute second sign offset_hours offset_minutes)
    # Years counted from 1 March, so that the leap day ends a year.
    if(month LESS_EQUAL 2)
        math(EXPR year "${year} - 1")
        math(EXPR month "${month} + 9")
    else()
        math(EXPR month "${month} - 3")
    endif()
    math(EXPR year_of_era "${year} % 400")
    math(EXPR days "${year} / 400 * 146097 + ${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + (153 * ${month} + 2) / 5 + ${day} - 1 - 719468")
    math(EXPR seconds "${days} * 86400 + ${hour} * 3600 + ${minute} * 60 + ${second} - ${sign}(${offset_hours} * 3600 + ${offset_minutes} * 60)")
    set(${out} ${seconds} PARENT_SCOPE)
endfunction()

set(PARVANE_CHANGELOG_SOURCE "${PROJECT_SOURCE_DIR}/packaging/changelog")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PARVANE_CHANGELOG_SOURCE}")
file(READ "${PARVANE_CHANGELOG_SOURCE}" changes)
string(REGEX MATCH "^parvane \\(([^)]*)\\)" entry "${changes}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog lacks an entry for ${PROJECT_VERSION} on top")
endif()
# The first signature is the latest entry's: " -- Name <mail>  Mon, 07 Dec 2026 12:00:00 +0000"
string(REGEX MATCH "\n -- [^\n]*, ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ([0-9][0-9]):([0-9][0-9]):([0-9][0-9]) ([-+])([0-9][0-9])([0-9][0-9])\n"
       signature "${changes}")
set(date_parts ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4}
               ${CMAKE_MATCH_5} ${CMAKE_MATCH_6} ${CMAKE_MATCH_7} ${CMAKE_MATCH_8} ${CMAKE_MATCH_9})
string(FIND "JanFebMarAprMayJunJulAugSepOctNovDec" "${CMAKE_MATCH_2}" month_offset)
if(NOT signature OR month_offset LESS 0)
    message(FATAL_ERROR "packaging/changelog's latest entry has no date of the form "
                        "'Mon, 07 Dec 2026 12:00:00 +0000'")
endif()
list(GET date_parts 0 day)
list(GET date_parts 2 year)
list(SUBLIST date_parts 3 -1 time_and_offset)
math(EXPR month "${month_offset} / 3 + 1")
math(EXPR month_digits "100 + ${month}")  # two digits after the leading 1
string(SUBSTRING "${month_digits}" 1 2 month_digits)
set(PARVANE_RELEASE_DATE "${year}-${month_digits}-${day}")

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(PARVANE_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
    if(NOT PARVANE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        message(FATAL_ERROR "SOURCE_DATE_EPOCH '${PARVANE_SOURCE_DATE_EPOCH}' is no count of seconds")
    endif()
else()
    parvane_seconds_since_1970(PARVANE_SOURCE_DATE_EPOCH ${year} ${month} ${day} ${time_and_offset})
endif()

set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
             "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${PARVANE_SOURCE_DATE_EPOCH}")
