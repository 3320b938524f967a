# CPack runs this on the finished .deb. Its three members (debian-binary, control.tar.gz,
# data.tar.gz) carry the modes their files had on disk, which the packer's umask chose; they
# become 0644, so the package is the same bytes under any umask.
#
# A .deb is an ar archive: "!<arch>\n", then for each member a 60-byte header (name 16,
# time 12, owner 6, group 6, mode 8, size 10, "`\n") and its data, padded to an even length.
find_program(DD dd REQUIRED)
set(mode_field "${CPACK_TOPLEVEL_DIRECTORY}/ar-member-mode")
file(WRITE "${mode_field}" "100644  ")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    file(SIZE "${package}" package_size)
    set(header 8)
    while(header LESS package_size)
        file(READ "${package}" fields OFFSET ${header} LIMIT 60)
        string(SUBSTRING "${fields}" 48 12 size_and_end)
        if(NOT size_and_end MATCHES "^([0-9]+) *`\n$")
            message(FATAL_ERROR "${package}: no ar member header at byte ${header}")
        endif()
        set(member_size ${CMAKE_MATCH_1})
        math(EXPR mode_at "${header} + 40")
        execute_process(COMMAND "${DD}" "of=${package}" bs=1 seek=${mode_at} conv=notrunc status=none
                        INPUT_FILE "${mode_field}" COMMAND_ERROR_IS_FATAL ANY)
        math(EXPR header "${header} + 60 + (${member_size} + 1) / 2 * 2")
    endwhile()
endforeach()
file(REMOVE "${mode_field}")
