# One interface target carries the language level, warnings and Qt strictness.
add_library(qs_common INTERFACE)
target_compile_features(qs_common INTERFACE cxx_std_20)
target_compile_options(qs_common INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_compile_definitions(qs_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_KEYWORDS)
