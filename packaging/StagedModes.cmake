# CPack runs this after installing into its staging folder and before packing it: the
# folders it made there carry the packer's umask (0750 under umask 027). Debian wants them
# 0755; the files have theirs from install() already. The archive's time stamps are the
# source date from here on.
file(CHMOD_RECURSE "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(ENV{SOURCE_DATE_EPOCH} "${CPACK_PARVANE_SOURCE_DATE_EPOCH}")
