# Copies SOURCE to TARGET only when TARGET does not exist: a settings file that the
# program or its user has changed is never overwritten by a build.
if(NOT EXISTS "${TARGET}")
    file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
