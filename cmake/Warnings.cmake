# One target carries the warning flags, the Qt strictness switches (and, when asked for,
# the sanitizers); every library, program, test and benchmark links it.
add_library(qzc_warnings INTERFACE)
target_compile_options(qzc_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow=local
                                              -Wnon-virtual-dtor -Woverloaded-virtual)
if(QZC_WERROR)
  target_compile_options(qzc_warnings INTERFACE -Werror)
endif()

# No silent conversion between bytes and text: every literal says how it is to be read
# (QStringLiteral, u"..."_s, QLatin1String), every byte array how it is decoded.
target_compile_definitions(qzc_warnings INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                                  QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING
                                                  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_FOREACH
                                                  QT_NO_KEYWORDS)

if(QZC_SANITIZE)
  target_compile_options(qzc_warnings INTERFACE -fsanitize=address,undefined
                                                -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qzc_warnings INTERFACE -fsanitize=address,undefined)
endif()
