#pragma once
// The one place where the front end turns the program's GBK texts into QString and back.
#include <QString>
#include <optional>
#include <string>

QString Q(const std::string& gbkText);
QString Q(const char* gbkText);
// nullopt when the text holds a character GBK cannot hold.
std::optional<std::string> G(const QString& text);
