// The table of the dialect's functions (dialect_functions.h). The server texts are GBK like every text of
// the core, so the messages reach the server as the embedded engine's bytes; every text there is GBK bytes
// in a SQL_ASCII database, so length, substr and the comparisons count bytes, as the program does.
#include "data/jet/dialect_functions.h"

#include <sqlite3.h>

#include <map>

#include "data/jet/functions.h"

namespace jet {

const std::vector<DialectFunction>& DialectFunctions() {
  static const std::vector<DialectFunction> table = {
      // The library's own helpers and the conversions the emitter writes around values.
      {"jet_bad_call", "", 0, 0, Yields::Number, nullptr, ServerForm::None, "", "",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_bad_call() RETURNS void LANGUAGE plpgsql AS
$$BEGIN RAISE EXCEPTION USING MESSAGE = '无效的过程调用或参数。'; END$$;
)SQL"},
      {"jet_num", "", 1, 1, Yields::Number, FnNum, ServerForm::None, "", "",
       R"SQL(
-- A text that is a number as a whole (blanks around it allowed); anything else does not match.
-- Its cost is declared low: the planner inlines a function whose argument it uses twice only when that
-- argument is cheap, and jet_num's argument holds a call of this one that is seldom taken.
CREATE OR REPLACE FUNCTION jet.jet_num_text(s text) RETURNS float8 LANGUAGE plpgsql IMMUTABLE STRICT COST 1 AS $$
DECLARE t text := btrim(s, ' ');
BEGIN
  IF t ~ '^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$' THEN
    BEGIN
      RETURN t::float8;
    EXCEPTION WHEN numeric_value_out_of_range THEN
      NULL;
    END;
  END IF;
  RAISE EXCEPTION USING MESSAGE = '数据类型不匹配。';
END$$;
-- The hot conversions are SQL functions the planner inlines where they are called (a PL/pgSQL call per
-- row costs more than the row): the common case is an expression of the server's own, the rest goes to
-- the PL/pgSQL function. A number of at most 15 digits each side of the point cannot overflow.
CREATE OR REPLACE FUNCTION jet.jet_num(s text) RETURNS float8 LANGUAGE sql IMMUTABLE PARALLEL SAFE AS
$$SELECT CASE WHEN s ~ '^ *[+-]?[0-9]{1,15}(\.[0-9]{0,15})? *$' THEN s::float8 ELSE jet.jet_num_text(s) END$$;
)SQL"},
      {"jet_cstr", "cstr cstr$", 1, 1, Yields::Text, FnCStr, ServerForm::AsText, "", "",
       R"SQL(
-- A number as cstr$ writes it: 15 significant digits, plain decimals down to 1E-15, 1E+16 above.
CREATE OR REPLACE FUNCTION jet.jet_cstr(v float8) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT
SET extra_float_digits = 0 AS $$
DECLARE s text; e int;
BEGIN
  IF v = 0 THEN RETURN '0'; END IF;
  IF v = 'NaN'::float8 THEN RETURN 'NaN'; END IF;
  s := v::text;
  IF position('e' IN s) = 0 THEN RETURN s; END IF;
  e := split_part(s, 'e', 2)::int;
  IF e >= -15 AND e < 15 THEN
    s := round(v::numeric, 14 - e)::text;
    IF position('.' IN s) > 0 THEN s := rtrim(rtrim(s, '0'), '.'); END IF;
    RETURN s;
  END IF;
  RETURN split_part(s, 'e', 1) || 'E' || CASE WHEN e < 0 THEN '-' ELSE '+' END || abs(e)::text;
END$$;
)SQL"},
      {"jet_val", "val", 1, 1, Yields::Number, FnVal, ServerForm::Val, "", "",
       R"SQL(
-- The leading number of a text (0 for none); blanks inside the digits are skipped.
CREATE OR REPLACE FUNCTION jet.jet_val_text(s text) RETURNS float8 LANGUAGE plpgsql IMMUTABLE STRICT COST 1 AS $$
DECLARE digits text := ''; i int := 1; n int := length(s); c text; point bool := false; seen bool := false;
        ex text; j int; st int;
BEGIN
  IF n <= 15 AND s ~ '^[0-9]+$' THEN RETURN s::float8; END IF;
  WHILE i <= n AND substr(s, i, 1) IN (' ', E'\t', E'\n', E'\r') LOOP i := i + 1; END LOOP;
  IF i <= n AND substr(s, i, 1) IN ('-', '+') THEN digits := substr(s, i, 1); i := i + 1; END IF;
  LOOP
    WHILE i <= n AND substr(s, i, 1) IN (' ', E'\t', E'\n', E'\r') LOOP i := i + 1; END LOOP;
    EXIT WHEN i > n;
    c := substr(s, i, 1);
    IF c >= '0' AND c <= '9' THEN
      digits := digits || c; seen := true; i := i + 1;
    ELSIF c = '.' AND NOT point THEN
      digits := digits || c; point := true; i := i + 1;
    ELSE
      EXIT;
    END IF;
  END LOOP;
  IF NOT seen THEN RETURN 0; END IF;
  IF i <= n AND substr(s, i, 1) IN ('e', 'E', 'd', 'D') THEN
    j := i + 1; ex := 'e';
    IF j <= n AND substr(s, j, 1) IN ('-', '+') THEN ex := ex || substr(s, j, 1); j := j + 1; END IF;
    st := j;
    WHILE j <= n AND substr(s, j, 1) >= '0' AND substr(s, j, 1) <= '9' LOOP
      ex := ex || substr(s, j, 1); j := j + 1;
    END LOOP;
    IF j > st THEN digits := digits || ex; END IF;
  END IF;
  RETURN digits::float8;
END$$;
-- Digits alone (a period key, a code) are the common case; ltrim tells them at a third of a pattern's cost.
CREATE OR REPLACE FUNCTION jet.jet_val(s text) RETURNS float8 LANGUAGE sql IMMUTABLE PARALLEL SAFE AS
$$SELECT CASE WHEN length(s) BETWEEN 1 AND 15 AND ltrim(s, '0123456789') = '' THEN s::float8
              ELSE jet.jet_val_text(s) END$$;
)SQL"},
      // Storing into columns.
      {"jet_store_text", "", 4, 4, Yields::Text, nullptr, ServerForm::None, "", "",
       R"SQL(
-- Storing into columns: texts checked against the width (blanks beyond it are only padding) and padded
-- for CHAR; whole numbers rounded half to even and checked against the column's range.
CREATE OR REPLACE FUNCTION jet.jet_store_text(v text, w int, col text, pad bool) RETURNS text
LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE k text;
BEGIN
  IF v IS NULL THEN RETURN NULL; END IF;
  IF w > 0 AND length(v) > w THEN
    k := rtrim(v, ' ');
    IF length(k) > w THEN
      RAISE EXCEPTION USING MESSAGE = format('字段“%s”太小，容纳不下要写入的数据（最多 %s 个字节，要写入 %s 个字节）。',
                                             col, w, length(k));
    END IF;
    v := k;
  END IF;
  IF pad AND length(v) < w THEN v := v || repeat(' ', w - length(v)); END IF;
  RETURN v;
END$$;
)SQL"},
      {"jet_char", "", 3, 3, Yields::Text, FnChar, ServerForm::None, "", "",
       R"SQL(
-- A text within the width is stored as it is (padded for CHAR) without a call of the checking function.
CREATE OR REPLACE FUNCTION jet.jet_char(v text, w int, col text) RETURNS text LANGUAGE sql IMMUTABLE
PARALLEL SAFE AS
$$SELECT CASE WHEN length(v) <= w THEN rpad(v, w) ELSE jet.jet_store_text(v, w, col, true) END$$;
)SQL"},
      {"jet_text", "", 3, 3, Yields::Text, FnText, ServerForm::None, "", "",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_text(v text, w int, col text) RETURNS text LANGUAGE sql IMMUTABLE
PARALLEL SAFE AS
$$SELECT CASE WHEN w <= 0 OR length(v) <= w THEN v ELSE jet.jet_store_text(v, w, col, false) END$$;
)SQL"},
      {"jet_long", "", 3, 3, Yields::Number, FnLong, ServerForm::None, "", "",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_long_range(v float8, bits int, col text) RETURNS bigint LANGUAGE plpgsql
IMMUTABLE AS $$
DECLARE d float8; lo float8; hi float8;
BEGIN
  IF v IS NULL THEN RETURN NULL; END IF;
  d := round(v);
  IF bits = 8 THEN lo := 0; hi := 255;
  ELSIF bits = 1 THEN lo := -1; hi := 0; d := CASE WHEN d <> 0 THEN -1 ELSE 0 END;
  ELSE lo := -(2::float8 ^ (bits - 1)); hi := 2::float8 ^ (bits - 1) - 1;
  END IF;
  IF d < lo OR d > hi THEN RAISE EXCEPTION USING MESSAGE = format('字段“%s”的数值溢出。', col); END IF;
  RETURN d::bigint;
END$$;
-- Well inside the range of a column of 16 or 32 bits, the rounded number as it is.
CREATE OR REPLACE FUNCTION jet.jet_long(v float8, bits int, col text) RETURNS bigint LANGUAGE sql IMMUTABLE
PARALLEL SAFE AS
$$SELECT CASE WHEN bits > 8 AND abs(round(v)) < 2::float8 ^ (bits - 1) THEN round(v)::bigint
              ELSE jet.jet_long_range(v, bits, col) END$$;
)SQL"},
      {"jet_real", "", 2, 2, Yields::Number, FnReal, ServerForm::None, "", "",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_real(v float8, col text) RETURNS float8 LANGUAGE sql IMMUTABLE
PARALLEL SAFE AS
$$SELECT v$$;
)SQL"},
      // Operators.
      {"jet_add", "", 2, 2, Yields::FirstArgument, FnAdd, ServerForm::None, "", "", ""},
      {"jet_amp", "", 2, 2, Yields::Text, FnAmp, ServerForm::None, "", "",
       R"SQL(
-- Operators.
CREATE OR REPLACE FUNCTION jet.jet_amp(a text, b text) RETURNS text LANGUAGE sql IMMUTABLE AS
$$SELECT CASE WHEN a IS NULL AND b IS NULL THEN NULL ELSE coalesce(a, '') || coalesce(b, '') END$$;
)SQL"},
      {"jet_div", "", 2, 2, Yields::Number, FnDiv, ServerForm::None, "", "",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_div(a float8, b float8) RETURNS float8 LANGUAGE plpgsql IMMUTABLE STRICT
AS $$
BEGIN
  IF b = 0 THEN RAISE EXCEPTION USING MESSAGE = '被零除。'; END IF;
  RETURN a / b;
END$$;
)SQL"},
      {"jet_int_divide", "", 3, 3, Yields::Number, nullptr, ServerForm::None, "", "",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_int_divide(a float8, b float8, remainder bool) RETURNS bigint
LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE x bigint; y bigint;
BEGIN
  a := round(a); b := round(b);
  IF NOT (abs(a) < 9223372036854775807::float8) OR NOT (abs(b) < 9223372036854775807::float8) THEN
    RAISE EXCEPTION USING MESSAGE = '溢出。';
  END IF;
  x := a::bigint; y := b::bigint;
  IF y = 0 THEN RAISE EXCEPTION USING MESSAGE = '被零除。'; END IF;
  IF y = -1 THEN RETURN CASE WHEN remainder THEN 0 ELSE -x END; END IF;
  RETURN CASE WHEN remainder THEN x % y ELSE x / y END;
END$$;
)SQL"},
      {"jet_idiv", "", 2, 2, Yields::Number, FnIDiv, ServerForm::None, "", "",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_idiv(a float8, b float8) RETURNS bigint LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT jet.jet_int_divide(a, b, false)$$;
)SQL"},
      {"jet_mod", "", 2, 2, Yields::Number, FnMod, ServerForm::None, "", "",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_mod(a float8, b float8) RETURNS bigint LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT jet.jet_int_divide(a, b, true)$$;
)SQL"},
      {"jet_pow", "", 2, 2, Yields::Number, FnPow, ServerForm::None, "", "",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_pow(a float8, b float8) RETURNS float8 LANGUAGE plpgsql IMMUTABLE STRICT
AS $$
DECLARE r float8;
BEGIN
  BEGIN
    r := power(a, b);
  EXCEPTION WHEN others THEN
    r := 'NaN';
  END;
  IF r = 'NaN'::float8 OR r = 'Infinity'::float8 OR r = '-Infinity'::float8 THEN
    PERFORM jet.jet_bad_call();
  END IF;
  RETURN r;
END$$;
)SQL"},
      // Texts, in bytes. The built-in trim is what the twin indexes are made with; jet_trim serves where they
      // do not apply.
      {"trim", "trim trim$", 1, 1, Yields::Text, nullptr, ServerForm::Call, "btrim", "T", ""},
      {"jet_trim", "", 1, 1, Yields::Text, FnTrim, ServerForm::None, "", "", ""},
      {"jet_rtrim", "rtrim rtrim$", 1, 1, Yields::Text, FnRTrim, ServerForm::Call, "rtrim", "T", ""},
      {"jet_ltrim", "ltrim ltrim$", 1, 1, Yields::Text, FnLTrim, ServerForm::Call, "ltrim", "T", ""},
      {"jet_count", "", 2, 2, Yields::Number, nullptr, ServerForm::None, "", "",
       R"SQL(
-- Texts, in bytes.
CREATE OR REPLACE FUNCTION jet.jet_count(n float8, least_value int) RETURNS bigint LANGUAGE plpgsql
IMMUTABLE STRICT AS $$
DECLARE k float8 := round(n);
BEGIN
  IF k < least_value THEN PERFORM jet.jet_bad_call(); END IF;
  RETURN least(k, 2147483647)::bigint;
END$$;
)SQL"},
      {"jet_left", "left left$", 2, 2, Yields::Text, FnLeft, ServerForm::Call, "jet_left", "TN",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_left(s text, n float8) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT left(s, jet.jet_count(n, 0)::int)$$;
)SQL"},
      {"jet_right", "right right$", 2, 2, Yields::Text, FnRight, ServerForm::Call, "jet_right", "TN",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_right(s text, n float8) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT right(s, least(jet.jet_count(n, 0), length(s))::int)$$;
)SQL"},
      {"jet_mid", "mid mid$", 2, 3, Yields::Text, FnMid, ServerForm::Call, "jet_mid", "TN",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_mid(s text, start float8) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT substr(s, jet.jet_count(start, 1)::int)$$;
CREATE OR REPLACE FUNCTION jet.jet_mid(s text, start float8, len float8) RETURNS text LANGUAGE plpgsql
IMMUTABLE STRICT AS $$
DECLARE b bigint := jet.jet_count(start, 1); n bigint := jet.jet_count(len, 0);
BEGIN
  IF b > length(s) THEN RETURN ''; END IF;
  RETURN substr(s, b::int, n::int);
END$$;
)SQL"},
      {"jet_len", "len", 1, 1, Yields::Number, FnLen, ServerForm::Call, "jet_len", "T",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_len(s text) RETURNS bigint LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT length(s)::bigint$$;
)SQL"},
      {"jet_find", "", 4, 4, Yields::Number, nullptr, ServerForm::None, "", "",
       R"SQL(
-- instr([start,] text, find [, compare]): the 1-based byte position of a whole character, 0 for none;
-- compare 1 folds ASCII letters.
CREATE OR REPLACE FUNCTION jet.jet_find(start float8, s text, f text, compare float8) RETURNS bigint
LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE b bytea; i int := 0; n int; lf int; fold bool; st bigint; ff text;
BEGIN
  IF start IS NULL THEN RETURN NULL; END IF;
  st := jet.jet_count(start, 1);
  IF compare IS NULL OR s IS NULL OR f IS NULL THEN RETURN NULL; END IF;
  fold := trunc(compare) = 1;
  n := length(s); lf := length(f);
  IF st - 1 > n THEN RETURN 0; END IF;
  IF lf = 0 THEN RETURN st; END IF;
  ff := CASE WHEN fold THEN lower(f) ELSE f END;
  IF strpos(CASE WHEN fold THEN lower(s) ELSE s END, ff) = 0 THEN RETURN 0; END IF;
  b := convert_to(s, 'SQL_ASCII');
  WHILE i + lf <= n LOOP
    IF i >= st - 1 AND (CASE WHEN fold THEN lower(substr(s, i + 1, lf)) ELSE substr(s, i + 1, lf) END) = ff THEN
      RETURN i + 1;
    END IF;
    IF get_byte(b, i) >= 128 AND i + 1 < n THEN i := i + 2; ELSE i := i + 1; END IF;
  END LOOP;
  RETURN 0;
END$$;
)SQL"},
      {"jet_instr", "instr", 2, 4, Yields::Number, FnInstr, ServerForm::Overload, "jet_instr", "TT|NTTN",
       R"SQL(
-- A text without the bytes sought anywhere holds none of its characters: 0 at once, inlined; the rest (and a
-- start the count would refuse) goes to jet_find.
CREATE OR REPLACE FUNCTION jet.jet_instr(start float8, s text, f text, compare float8) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS
$$SELECT CASE WHEN start >= 1 AND f <> '' AND trunc(compare) <> 1 AND strpos(s, f) = 0 THEN 0
              ELSE jet.jet_find(start, s, f, compare) END$$;
CREATE OR REPLACE FUNCTION jet.jet_instr(s text, f text) RETURNS bigint LANGUAGE sql IMMUTABLE PARALLEL SAFE AS
$$SELECT jet.jet_instr(1, s, f, 0)$$;
CREATE OR REPLACE FUNCTION jet.jet_instr(start float8, s text, f text) RETURNS bigint LANGUAGE sql
IMMUTABLE PARALLEL SAFE AS $$SELECT jet.jet_instr(start, s, f, 0)$$;
)SQL"},
      {"jet_str", "str str$", 1, 1, Yields::Text, FnStr, ServerForm::Call, "jet_str", "N",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_str(v float8) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT CASE WHEN v >= 0 THEN ' ' ELSE '' END || jet.jet_cstr(v)$$;
)SQL"},
      {"jet_strcomp", "strcomp", 2, 3, Yields::Number, FnStrComp, ServerForm::Call, "jet_strcomp", "TTN",
       R"SQL(
-- One expression without a FROM, so that the planner inlines it (a report compares a column of every row).
CREATE OR REPLACE FUNCTION jet.jet_strcomp(a text, b text, compare float8) RETURNS int LANGUAGE sql
IMMUTABLE PARALLEL SAFE AS $$
SELECT CASE WHEN a IS NULL OR b IS NULL OR compare IS NULL THEN NULL
            WHEN trunc(compare) = 1 THEN
              CASE WHEN upper(a) COLLATE "C" < upper(b) COLLATE "C" THEN -1
                   WHEN upper(a) COLLATE "C" > upper(b) COLLATE "C" THEN 1 ELSE 0 END
            ELSE CASE WHEN a COLLATE "C" < b COLLATE "C" THEN -1 WHEN a COLLATE "C" > b COLLATE "C" THEN 1 ELSE 0 END
       END$$;
CREATE OR REPLACE FUNCTION jet.jet_strcomp(a text, b text) RETURNS int LANGUAGE sql IMMUTABLE PARALLEL SAFE AS
$$SELECT jet.jet_strcomp(a, b, 0)$$;
)SQL"},
      {"jet_case", "", 2, 2, Yields::Text, nullptr, ServerForm::None, "", "",
       R"SQL(
-- Case of the one-byte letters only: the second byte of a two-byte character stays as it is.
CREATE OR REPLACE FUNCTION jet.jet_case(s text, up bool) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE b bytea; i int := 0; n int; c int;
BEGIN
  IF s !~ '[\x80-\xff]' THEN RETURN CASE WHEN up THEN upper(s) ELSE lower(s) END; END IF;
  b := convert_to(s, 'SQL_ASCII'); n := length(b);
  WHILE i < n LOOP
    c := get_byte(b, i);
    IF c >= 128 AND i + 1 < n THEN
      i := i + 2;
    ELSE
      IF up AND c BETWEEN 97 AND 122 THEN b := set_byte(b, i, c - 32); END IF;
      IF NOT up AND c BETWEEN 65 AND 90 THEN b := set_byte(b, i, c + 32); END IF;
      i := i + 1;
    END IF;
  END LOOP;
  RETURN convert_from(b, 'SQL_ASCII');
END$$;
)SQL"},
      {"jet_ucase", "ucase ucase$", 1, 1, Yields::Text, FnUCase, ServerForm::Call, "jet_ucase", "T",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_ucase(s text) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT jet.jet_case(s, true)$$;
)SQL"},
      {"jet_lcase", "lcase lcase$", 1, 1, Yields::Text, FnLCase, ServerForm::Call, "jet_lcase", "T",
       R"SQL(CREATE OR REPLACE FUNCTION jet.jet_lcase(s text) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT jet.jet_case(s, false)$$;
)SQL"},
      {"jet_space", "space space$", 1, 1, Yields::Text, FnSpace, ServerForm::Call, "jet_space", "N",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_space(n float8) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS
$$SELECT repeat(' ', least(jet.jet_count(n, 0), 65535)::int)$$;
)SQL"},
      {"jet_chr", "chr chr$", 1, 1, Yields::Text, FnChr, ServerForm::Call, "jet_chr", "N",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_chr(n float8) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE k bigint := jet.jet_count(n, 0);
BEGIN
  IF k > 65535 OR k = 0 THEN PERFORM jet.jet_bad_call(); END IF;
  IF k > 255 THEN
    RETURN convert_from(decode(lpad(to_hex(k), 4, '0'), 'hex'), 'SQL_ASCII');
  END IF;
  RETURN convert_from(decode(lpad(to_hex(k), 2, '0'), 'hex'), 'SQL_ASCII');
END$$;
)SQL"},
      {"jet_asc", "asc", 1, 1, Yields::Number, FnAsc, ServerForm::Call, "jet_asc", "T",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_asc(s text) RETURNS int LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE b bytea;
BEGIN
  IF s = '' THEN PERFORM jet.jet_bad_call(); END IF;
  b := convert_to(s, 'SQL_ASCII');
  IF get_byte(b, 0) >= 128 AND length(b) > 1 THEN RETURN get_byte(b, 0) * 256 + get_byte(b, 1); END IF;
  RETURN get_byte(b, 0);
END$$;
)SQL"},
      // Numbers.
      {"jet_int", "int", 1, 1, Yields::Number, FnInt, ServerForm::Call, "floor", "N", ""},
      {"jet_fix", "fix", 1, 1, Yields::Number, FnFix, ServerForm::Call, "trunc", "N", ""},
      {"jet_sgn", "sgn", 1, 1, Yields::Number, FnSgn, ServerForm::Call, "sign", "N", ""},
      {"jet_abs", "abs", 1, 1, Yields::Number, FnAbs, ServerForm::Call, "abs", "N", ""},
      {"jet_sqr", "sqr", 1, 1, Yields::Number, FnSqr, ServerForm::Call, "jet_sqr", "N",
       R"SQL(
CREATE OR REPLACE FUNCTION jet.jet_sqr(v float8) RETURNS float8 LANGUAGE plpgsql IMMUTABLE STRICT AS $$
BEGIN
  IF v < 0 THEN PERFORM jet.jet_bad_call(); END IF;
  RETURN sqrt(v);
END$$;
)SQL"},
      {"jet_clng", "clng cint", 1, 1, Yields::Number, FnCLng, ServerForm::Call, "round", "D", ""},
      {"jet_cdbl", "cdbl", 1, 1, Yields::Number, FnCDbl, ServerForm::Double, "", "", ""},
      {"jet_nz", "nz", 1, 2, Yields::FirstArgument, FnNz, ServerForm::Coalesce, "", "", ""},
      // Patterns.
      {"jet_units", "", 1, 1, Yields::Number, nullptr, ServerForm::None, "", "",
       R"SQL(
-- A text as a list of characters: one byte, or a lead byte and the next as one number.
CREATE OR REPLACE FUNCTION jet.jet_units(s text) RETURNS int[] LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE b bytea := convert_to(s, 'SQL_ASCII'); n int := length(b); i int := 0; c int; u int[] := '{}';
BEGIN
  WHILE i < n LOOP
    c := get_byte(b, i);
    IF c >= 128 AND i + 1 < n THEN
      u := u || (c * 256 + get_byte(b, i + 1)); i := i + 2;
    ELSE
      u := u || c; i := i + 1;
    END IF;
  END LOOP;
  RETURN u;
END$$;
)SQL"},
      {"jet_like", "", 2, 2, Yields::Number, FnLike, ServerForm::None, "", "",
       R"SQL(
-- LIKE with *, ?, #, [list] and [!list]; a two-byte character is one character; letters match either
-- case. A malformed pattern is an error.
CREATE OR REPLACE FUNCTION jet.jet_like(v text, p text) RETURNS bool LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE
  pu int[] := jet.jet_units(p); tu int[];
  k int[] := '{}'; ch int[] := '{}'; ng bool[] := '{}'; rs int[] := '{}'; re int[] := '{}';
  lo int[] := '{}'; hi int[] := '{}';
  i int := 1; j int; n int; c int; a int; b int; closed bool; neg bool; start int;
  pp int; t int; sp int := 0; st int := 0; m int; e int; x int; fx int; r int; ok bool;
BEGIN
  IF p !~ '[][*?#]' AND p !~ '[A-Za-z\x80-\xff]' THEN RETURN v = p; END IF;
  n := coalesce(array_length(pu, 1), 0);
  WHILE i <= n LOOP
    c := pu[i];
    IF c = 42 THEN
      IF coalesce(array_length(k, 1), 0) = 0 OR k[array_length(k, 1)] <> 1 THEN
        k := k || 1; ch := ch || 0; ng := ng || false; rs := rs || 1; re := re || 0;
      END IF;
    ELSIF c = 63 OR c = 35 THEN
      k := k || CASE WHEN c = 63 THEN 2 ELSE 3 END; ch := ch || 0; ng := ng || false; rs := rs || 1; re := re || 0;
    ELSIF c = 91 THEN
      j := i + 1; neg := false;
      IF j <= n AND pu[j] = 33 THEN neg := true; j := j + 1; END IF;
      closed := false; start := coalesce(array_length(lo, 1), 0) + 1;
      WHILE j <= n LOOP
        IF pu[j] = 93 THEN closed := true; EXIT; END IF;
        a := pu[j]; b := pu[j];
        IF j + 2 <= n AND pu[j + 1] = 45 AND pu[j + 2] <> 93 THEN b := pu[j + 2]; j := j + 2; END IF;
        IF b < a THEN RAISE EXCEPTION USING MESSAGE = '模式字符串无效。'; END IF;
        lo := lo || a; hi := hi || b; j := j + 1;
      END LOOP;
      IF NOT closed THEN RAISE EXCEPTION USING MESSAGE = '模式字符串无效。'; END IF;
      i := j;
      k := k || 4; ch := ch || 0; ng := ng || neg; rs := rs || start; re := re || coalesce(array_length(lo, 1), 0);
    ELSE
      k := k || 0; ch := ch || c; ng := ng || false; rs := rs || 1; re := re || 0;
    END IF;
    i := i + 1;
  END LOOP;
  tu := jet.jet_units(v);
  m := coalesce(array_length(tu, 1), 0);
  e := coalesce(array_length(k, 1), 0);
  pp := 1; t := 1;
  WHILE t <= m LOOP
    IF pp <= e AND k[pp] = 1 THEN
      sp := pp; pp := pp + 1; st := t;
    ELSE
      ok := false;
      IF pp <= e THEN
        x := tu[t];
        fx := CASE WHEN x BETWEEN 97 AND 122 THEN x - 32 ELSE x END;
        IF k[pp] = 0 THEN
          ok := fx = CASE WHEN ch[pp] BETWEEN 97 AND 122 THEN ch[pp] - 32 ELSE ch[pp] END;
        ELSIF k[pp] = 2 THEN
          ok := true;
        ELSIF k[pp] = 3 THEN
          ok := x BETWEEN 48 AND 57;
        ELSE
          FOR r IN rs[pp]..re[pp] LOOP
            IF (x >= lo[r] AND x <= hi[r]) OR
               (fx >= CASE WHEN lo[r] BETWEEN 97 AND 122 THEN lo[r] - 32 ELSE lo[r] END AND
                fx <= CASE WHEN hi[r] BETWEEN 97 AND 122 THEN hi[r] - 32 ELSE hi[r] END) THEN
              ok := true;
            END IF;
          END LOOP;
          ok := ok <> ng[pp];
        END IF;
      END IF;
      IF ok THEN
        pp := pp + 1; t := t + 1;
      ELSIF sp > 0 THEN
        pp := sp + 1; st := st + 1; t := st;
      ELSE
        RETURN false;
      END IF;
    END IF;
  END LOOP;
  WHILE pp <= e AND k[pp] = 1 LOOP pp := pp + 1; END LOOP;
  RETURN pp > e;
END$$;
)SQL"},
      // Aggregates, built in on both engines.
      {"sum", "sum", 1, 1, Yields::Number, nullptr, ServerForm::Call, "sum", "V", ""},
      {"avg", "avg", 1, 1, Yields::Number, nullptr, ServerForm::Call, "avg", "V", ""},
      {"count", "count", 1, 1, Yields::Number, nullptr, ServerForm::Call, "count", "A", ""},
      {"min", "min", 1, 1, Yields::FirstArgument, nullptr, ServerForm::Call, "min", "A", ""},
      {"max", "max", 1, 1, Yields::FirstArgument, nullptr, ServerForm::Call, "max", "A", ""},
  };
  return table;
}

const DialectFunction* FindDialectFunction(const std::string& name) {
  static const std::map<std::string, const DialectFunction*> byName = [] {
    std::map<std::string, const DialectFunction*> m;
    for (const DialectFunction& f : DialectFunctions()) {
      std::string names = f.dialect;
      for (size_t at = 0; at < names.size();) {
        size_t end = names.find(' ', at);
        if (end == std::string::npos) end = names.size();
        m.emplace(names.substr(at, end - at), &f);
        at = end + 1;
      }
    }
    return m;
  }();
  auto it = byName.find(name);
  return it == byName.end() ? nullptr : it->second;
}

std::string ServerDefinitions() {
  std::string out;
  for (const DialectFunction& f : DialectFunctions()) out += f.serverText;
  return out;
}

void RegisterFunctions(sqlite3* db) {
  for (const DialectFunction& f : DialectFunctions()) {
    if (!f.embedded) continue;
    int args = f.minArgs == f.maxArgs ? f.minArgs : -1;
    sqlite3_create_function_v2(db, f.name, args, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                               nullptr, f.embedded, nullptr, nullptr, nullptr);
  }
}

}  // namespace jet
