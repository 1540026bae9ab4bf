# Heavy library headers that nearly every file includes, compiled once per target.
set(QZC_PCH_CORE <QByteArray> <QDateTime> <QList> <QString> <QStringList> <QVariant> <QSqlQuery>
                 <QSqlError> <memory> <optional> <vector>)
set(QZC_PCH_WIDGETS <QWidget> <QDialog> <QMainWindow> <QLabel> <QPushButton>)
set(QZC_PCH_TESTS <gtest/gtest.h> <gmock/gmock.h>)

function(qzc_precompile target)
  set(headers ${QZC_PCH_CORE})
  if("widgets" IN_LIST ARGN)
    list(APPEND headers ${QZC_PCH_WIDGETS})
  endif()
  if("tests" IN_LIST ARGN)
    list(APPEND headers ${QZC_PCH_TESTS})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
