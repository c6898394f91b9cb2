# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch folder and checks what a desktop and a
# distribution need: the program behind a relative link in bin/, no links
# fixed to this machine, the desktop file, metainfo, MIME types and icons under the
# application id, the manual page, and a manifest that names every
# installed path.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK_DIR}")
set(ENV{DESTDIR} "${WORK_DIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(root "${WORK_DIR}/usr")
set(problems "")

if(NOT EXISTS "${root}/lib/mapwright/mapwright")
    list(APPEND problems "the program is not in lib/mapwright")
endif()
file(READ_SYMLINK "${root}/bin/mapwright" bin_target)
if(NOT bin_target STREQUAL "../lib/mapwright/mapwright")
    list(APPEND problems "bin/mapwright is not a link to the program: '${bin_target}'")
endif()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
foreach(path IN LISTS installed)
    if(IS_SYMLINK "${WORK_DIR}/${path}")
        file(READ_SYMLINK "${WORK_DIR}/${path}" target)
        if(IS_ABSOLUTE "${target}")
            list(APPEND problems "${path} links to a fixed place: ${target}")
        endif()
    endif()
endforeach()

foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND icons "share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
endforeach()
foreach(path IN LISTS icons ITEMS "share/icons/hicolor/scalable/apps/${APP_ID}.svg"
        "share/metainfo/${APP_ID}.metainfo.xml" "share/man/man1/mapwright.1.gz" "share/mime/packages/${APP_ID}.xml")
    if(NOT EXISTS "${root}/${path}")
        list(APPEND problems "${path} is missing")
    endif()
endforeach()
file(STRINGS "${root}/share/applications/${APP_ID}.desktop" desktop_lines)
foreach(expected "Exec=mapwright %f" "Icon=${APP_ID}" "Type=Application"
        "MimeType=application/x-quake3-pk3;text/x-quake3-arena;")
    if(NOT expected IN_LIST desktop_lines)
        list(APPEND problems "the desktop entry lacks ${expected}")
    endif()
endforeach()
# Each type the desktop entry opens is one the installed MIME file defines,
# with the glob of its files.
file(READ "${root}/share/mime/packages/${APP_ID}.xml" mime)
foreach(type glob IN ZIP_LISTS "application/x-quake3-pk3;text/x-quake3-arena" "*.pk3;*.arena")
    string(FIND "${mime}" "<mime-type type=\"${type}\">" start)
    string(SUBSTRING "${mime}" ${start} -1 definition)
    string(FIND "${definition}" "</mime-type>" end)
    string(SUBSTRING "${definition}" 0 ${end} definition)
    string(FIND "${definition}" "<glob pattern=\"${glob}\"/>" found)
    if(start EQUAL -1 OR found EQUAL -1)
        list(APPEND problems "the MIME file does not give ${glob} the type ${type}")
    endif()
endforeach()
file(READ "${root}/share/metainfo/${APP_ID}.metainfo.xml" metainfo)
if(NOT metainfo MATCHES "<release version=\"${VERSION}\" date=\"[0-9]+-[0-9]+-[0-9]+\">")
    list(APPEND problems "the metainfo does not list release ${VERSION} with its date")
endif()

# Removing what the manifest lists must remove everything installed.
file(STRINGS "${BUILD_DIR}/install_manifest.txt" manifest)
foreach(path IN LISTS installed)
    if(NOT "/${path}" IN_LIST manifest)
        list(APPEND problems "${path} is installed but not in the manifest")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "installed layout:\n  ${text}")
endif()
