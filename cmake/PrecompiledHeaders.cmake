# The headers that most files of a target reach and that cost the most to parse, compiled once
# per target: the standard library's containers, nlohmann/json, GoogleTest and Qt Widgets.
set(DOVRIK_PCH_STANDARD <functional> <map> <memory> <optional> <string> <string_view> <vector>)
set(DOVRIK_PCH_JSON <nlohmann/json.hpp>)
set(DOVRIK_PCH_GTEST <gtest/gtest.h>)
set(DOVRIK_PCH_QT_WIDGETS <QColor> <QHBoxLayout> <QLabel> <QPainter> <QString> <QVBoxLayout>
    <QWidget>)

# dovrik_precompile(TARGET [JSON] [GTEST] [QT_WIDGETS])
function(dovrik_precompile target)
  set(headers ${DOVRIK_PCH_STANDARD})
  foreach(part ${ARGN})
    list(APPEND headers ${DOVRIK_PCH_${part}})
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
  # ccache can cache what GCC compiles against a precompiled header only with this option.
  if(DOVRIK_CCACHE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fpch-preprocess)
  endif()
endfunction()
