# What `objdump -p` prints of a Windows executable (headers, import tables), for the build
# checks that read it. Stops the check when objdump cannot read the file.
function(read_pe_headers objdump exe out_var)
    execute_process(COMMAND "${objdump}" -p "${exe}" OUTPUT_VARIABLE _dump ERROR_VARIABLE _error
                    RESULT_VARIABLE _rc)
    if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "${objdump} -p ${exe} failed (${_rc}): ${_error}")
    endif()
    set(${out_var} "${_dump}" PARENT_SCOPE)
endfunction()
