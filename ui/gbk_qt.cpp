#include "gbk_qt.h"

#include "base/gbk.h"

QString Q(const std::string& gbkText) {
  std::string utf8 = gbk::ToUtf8(gbkText);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString Q(const char* gbkText) { return Q(std::string(gbkText ? gbkText : "")); }

std::optional<std::string> G(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return gbk::FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}
