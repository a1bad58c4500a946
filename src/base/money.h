#pragma once
// Money and the other figures of the books. Amounts are stored as doubles (the year file fixes that), so
// every test of "is this zero" needs a tolerance, and every figure shown needs rounding to its decimals:
// both live here, each tolerance named for what it decides. Figures that are shown or compared are added
// up in whole cents (64-bit integers), which makes a total the exact sum of the rows it stands under.
// The two number readers are here too: the dialect's val(), and the one for texts typed under a NUMBER mask.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace money {

// ---------- tolerances ----------

// A computed number within this of zero has no sign: the calculator's comparisons and conditions, the
// sign a mask's minimum gives, and amounts written with more than six decimals. Sums and products of
// figures typed with at most four decimals differ from the exact result by far less.
inline constexpr double kSignZero = 1e-7;
// A balance within this of zero is level (平), neither debit (借) nor credit (贷); a quantity within it is
// no quantity, and a number typed under a negative maximum no positive one. The dust that adding doubles
// leaves is far below it, the smallest quantity (0.0001) far above.
inline constexpr double kBalanceZero = 1e-6;
// An amount below this counts as not there: an empty amount cell, a total that is left blank, an amount
// that does not make a side of a posting. Half a thousandth of a cent: no typed amount comes near it.
inline constexpr double kAmountZero = 1e-5;
// Below a ten-thousandth nothing typed with four decimals (quantities, rates, the page's line spacing) is
// there: such a field holds zero.
inline constexpr double kTypedZero = 1e-4;
// A decimal text times its power of ten lands this close to the whole number it stands for (2.3 mm is
// 22.999999999999996 tenths), and a measured width of whole pixels this close to the whole number: the
// slack that keeps such a product from dropping to the whole number below, or rising to the one above.
inline constexpr double kDecimalSlack = 1e-6;
// An argument this little below zero is zero for a square root (the calculator's): it is the dust of a
// computation that should have ended at zero, not a negative number.
inline constexpr double kDomainSlack = 1e-6;
// The same for a division of screen units by the screen's scale, which is exact up to far less.
inline constexpr double kScaleSlack = 1e-9;

// ---------- price ----------

// The price of a row, amount ÷ quantity, when the row has a quantity and both have one sign; else 0.
// The product must exceed productZero: the entry views' lists ask for kListedPriceProduct, the rest for
// kAmountZero or kBalanceZero (see the reasons beside them).
double PriceOf(double amount, double quantity, double productZero);
// The entry lists show a price only when amount × quantity exceeds a thousandth (0.01 yuan of 0.1 units):
// a price of smaller figures would be mostly rounding.
inline constexpr double kListedPriceProduct = 0.001;
// A rate is set as so much foreign money for so much of our own: each side must be at least a thousandth,
// below which the quotient would be mostly the rounding of what was typed.
inline constexpr double kLeastRateFigure = 0.001;

// ---------- rounding ----------

using Cents = int64_t;

// The whole cents that "%.2f" writes for value: the decimal nearest to the double itself, a tie between
// two cents (only a value of eighths, as 0.125, is one exactly) going to the even cent. Not finite: 0.
// Beyond the range of 64-bit cents: the nearest end of it.
Cents ToCents(double value);
// The double nearest to cents / 100, which "%.2f" writes back as those cents.
double FromCents(Cents cents);
// What "%.2f" writes for value, read back: the figure a composed row or a stored amount carries.
double RoundToCents(double value);
// The same for any number of decimals from 0 to 8 (a quantity has four).
double RoundToPlaces(double value, int places);
// "%.2f" of the cents, without going through a double: "-12.05", "0.00".
std::string CentsText(Cents cents);

// Millionths of a yuan, for sums of stored amounts that are rounded only when shown: every amount the
// program stores (whole cents), and the dust another writer of the year file may leave, is a whole number
// of them, so such a sum is exact in any order and rounds to the cents the exact sum has.
using Micros = int64_t;
// The nearest whole millionths; not finite: 0; beyond 9e12 yuan: that bound.
Micros ToMicros(double value);
double FromMicros(Micros micros);

// ---------- reading numbers ----------

// The dialect's val(): the number a text starts with. Blanks, tabs and line breaks are skipped before it
// and between its digits; a sign, digits with at most one point, then an exponent (e, E, d or D) are read
// as far as they go; nothing readable is 0.
double ValNumber(std::string_view text);
// A number text as a NUMBER mask admits it: an optional "-", digits with at most one point, nothing else
// ("5.", ".5" and "-.5" too). "", "-" and "." are 0; any other text is no number. decimals, when given,
// receives the count of digits after the point. Too large a number is infinite, too small one 0.
std::optional<double> TypedNumber(std::string_view text, int* decimals = nullptr);

}  // namespace money
