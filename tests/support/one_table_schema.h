#pragma once
// A schema of one table T (S CHAR(10), N LONG, M LONGTEXT, D DOUBLE) for translating statements without a
// database, and the translation of one statement for an engine.
#include <string>
#include <vector>

#include "data/jet/emitter.h"
#include "data/jet/schema.h"

class OneTableSchema : public jet::SchemaSource {
 public:
  const jet::TableInfo* FindTable(const std::string& name) override {
    return name == "T" || name == "t" ? &table_ : nullptr;
  }
  std::vector<std::string> TwinIndexes(const std::string&) override { return {}; }

 private:
  jet::TableInfo table_{"T",
                        {{"S", jet::ColType::Char, 10},
                         {"N", jet::ColType::Long, 0},
                         {"M", jet::ColType::Memo, 0},
                         {"D", jet::ColType::Double, 0}}};
};

inline std::vector<std::string> TranslateOnOneTable(const std::string& sql,
                                                    jet::Target target = jet::Target::Embedded) {
  OneTableSchema schema;
  jet::EmitOptions options;
  options.target = target;
  return jet::Translate(sql, schema, options).statements;
}
