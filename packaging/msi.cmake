# Makes the Windows Installer package from the files CPack staged for it, with wixl: every
# staged file goes into the install folder, as it goes into the ZIP. Run by CPack's External
# generator; "cpack -D CPACK_CLASSJOURNAL_MSI_VERSION=a.b.c.d" makes it for another version.

if(NOT CPACK_CLASSJOURNAL_MSI_VERSION)
  set(CPACK_CLASSJOURNAL_MSI_VERSION ${CPACK_PACKAGE_VERSION})
endif()
set(version ${CPACK_CLASSJOURNAL_MSI_VERSION})
# Names the product across its versions. Never change it.
set(upgrade_code 3BD5750C-3606-42B6-89C3-174A7AAD1A6F)

# wixl takes only paths relative to where it runs.
set(work ${CPACK_TOPLEVEL_DIRECTORY})
file(RELATIVE_PATH stage ${work} ${CPACK_TEMPORARY_DIRECTORY})
file(GLOB_RECURSE staged RELATIVE ${work} ${CPACK_TEMPORARY_DIRECTORY}/*)
list(JOIN staged "\n" listing)
file(WRITE ${work}/staged.txt "${listing}\n")
file(COPY ${CPACK_CLASSJOURNAL_WXS} ${CPACK_CLASSJOURNAL_ICON} DESTINATION ${work})

execute_process(
  COMMAND ${CPACK_CLASSJOURNAL_WIXL_HEAT} --prefix ${stage}/ --directory-ref INSTALLDIR
    --component-group InstalledFiles --var var.Stage --win64
  INPUT_FILE ${work}/staged.txt OUTPUT_FILE ${work}/installed_files.wxs
  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)

set(msi ${CPACK_PACKAGE_NAME}-${version}-${CPACK_SYSTEM_NAME}.msi)
get_filename_component(wxs ${CPACK_CLASSJOURNAL_WXS} NAME)
get_filename_component(icon ${CPACK_CLASSJOURNAL_ICON} NAME)
execute_process(
  COMMAND ${CPACK_CLASSJOURNAL_WIXL} --arch x64 -o ${msi}
    -D Version=${version} -D UpgradeCode=${upgrade_code} -D Win64=yes -D Publisher=${CPACK_PACKAGE_VENDOR}
    -D Summary=${CPACK_PACKAGE_DESCRIPTION_SUMMARY} -D Stage=${stage} -D Icon=${icon}
    ${wxs} installed_files.wxs
  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)

# Windows Installer compares only the first three parts of a version, so builds of one version
# would install beside each other: the search for the installed product also takes the same
# version (attributes: migrate features, maximum included).
set(queries
  "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'"
  "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{${upgrade_code}}', '${version}', 513, 'WIX_UPGRADE_DETECTED')"
  # wixl makes a property's action deferred and runs it last; Apps and Features reads it at
  # registration, so it is set at once, when the folders are known.
  "UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'SetInstallLocation'"
  "UPDATE `InstallExecuteSequence` SET `Sequence` = 1001 WHERE `Action` = 'SetInstallLocation'")
# The programs' own version, from the same numbers as their version resources.
foreach(file IN LISTS staged)
  if(file MATCHES "\\.exe$")
    get_filename_component(name ${file} NAME)
    list(APPEND queries "UPDATE `File` SET `Version` = '${CPACK_CLASSJOURNAL_FILE_VERSION}' WHERE `FileName` = '${name}'")
  endif()
endforeach()
foreach(query IN LISTS queries)
  execute_process(COMMAND ${CPACK_CLASSJOURNAL_MSIBUILD} ${msi} -q ${query}
    WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(CPACK_EXTERNAL_BUILT_PACKAGES ${work}/${msi})
