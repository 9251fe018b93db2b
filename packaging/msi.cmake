# Makes the Windows Installer package from the files CPack staged for it, with wixl: every
# staged file goes into the install folder, as it goes into the ZIP. Run by CPack's External
# generator; "cpack -D CPACK_CLASSJOURNAL_MSI_VERSION=x.y.z" makes it for another version.

if(NOT CPACK_CLASSJOURNAL_MSI_VERSION)
  set(CPACK_CLASSJOURNAL_MSI_VERSION ${CPACK_PACKAGE_VERSION})
endif()

# wixl takes only paths relative to where it runs.
set(work ${CPACK_TOPLEVEL_DIRECTORY})
file(RELATIVE_PATH stage ${work} ${CPACK_TEMPORARY_DIRECTORY})
file(GLOB_RECURSE staged RELATIVE ${work} ${CPACK_TEMPORARY_DIRECTORY}/*)
list(JOIN staged "\n" listing)
file(WRITE ${work}/staged.txt "${listing}\n")
file(COPY ${CPACK_CLASSJOURNAL_WXS} ${CPACK_CLASSJOURNAL_ICON} DESTINATION ${work})

execute_process(
  COMMAND ${CPACK_CLASSJOURNAL_WIXL_HEAT} --prefix ${stage}/ --directory-ref INSTALLDIR
    --component-group InstalledFiles --var var.Stage
  INPUT_FILE ${work}/staged.txt OUTPUT_FILE ${work}/installed_files.wxs
  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)

set(msi ${CPACK_PACKAGE_FILE_NAME}.msi)
get_filename_component(wxs ${CPACK_CLASSJOURNAL_WXS} NAME)
get_filename_component(icon ${CPACK_CLASSJOURNAL_ICON} NAME)
execute_process(
  COMMAND ${CPACK_CLASSJOURNAL_WIXL} --arch x64 -o ${msi}
    -D Version=${CPACK_CLASSJOURNAL_MSI_VERSION} -D Publisher=${CPACK_PACKAGE_VENDOR}
    -D Summary=${CPACK_PACKAGE_DESCRIPTION_SUMMARY} -D Stage=${stage} -D Icon=${icon}
    ${wxs} installed_files.wxs
  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${work}/${msi})
