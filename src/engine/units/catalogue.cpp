#include "engine/units/catalogue.h"

#include <cstdint>
#include <unordered_map>

#include "common/ut_common.h"
#include "engine/units/readers.h"

namespace {

// Prefix sets shared by several rows.
constexpr int32_t kSmall = D接頭子_m | D接頭子_micro | D接頭子_n | D接頭子_p | D接頭子_f |
                           D接頭子_a | D接頭子_z | D接頭子_y;  // milli down to yocto
constexpr int32_t kKiloSmall = D接頭子_k | kSmall;
constexpr int32_t kLength = D接頭子_k | D接頭子_d | D接頭子_c | kSmall;
constexpr int32_t kEnergy = D接頭子_Te | D接頭子_Gi | D接頭子_Me | D接頭子_k | D接頭子_m | D接頭子_micro;
constexpr int32_t kBigDecimal = D接頭子_Te | D接頭子_Gi | D接頭子_Me | D接頭子_k;
// Bytes and bits: the decimal prefixes from kilo up and the binary ones, never a
// fractional prefix (a "dB" must stay free for the decibel).
constexpr int32_t kInformation = D接頭子_Ex | D接頭子_Pe | kBigDecimal | D接頭子_Kibi | D接頭子_Mebi |
                                 D接頭子_Gibi | D接頭子_Tebi | D接頭子_Pebi | D接頭子_Exbi;

// Dimension code strings of the derived quantities.
#define C_FORCE u"!1190*!1192/!119621(2)"
#define C_WORK u"!1190*!1192(2)/!119621(2)"
#define C_PRESSURE u"!1190/!1192/!119621(2)"
#define C_POWER u"!1190*!1192(2)/!119621(3)"
#define C_CHARGE u"!119621*!119622"
#define C_VOLTAGE u"!1190*!1192(2)/!119621(3)/!119622"
#define C_CAPACITANCE u"!1190(-1)/!1192(2)*!119621(4)*!119622(2)"
#define C_RESISTANCE u"!1190*!1192(2)/!119621(3)/!119622(2)"
#define C_CONDUCTANCE u"!1190(-1)/!1192(2)*!119621(3)*!119622(2)"
#define C_INDUCTANCE u"!1190*!1192(2)/!119621(2)/!119622(2)"
#define C_FLUX u"!1190*!1192(2)/!119621(2)/!119622"
#define C_FLUX_DENSITY u"!1190/!119621(2)/!119622"
#define C_EXPOSURE u"!1190(-1)*!119621*!119622"
#define C_EXPOSURE_RATE u"!1190(-1)*!119622"
#define C_DOSE u"!1192(2)/!119621(2)"
#define C_DOSE_RATE u"!1192(2)/!119621(3)"
#define C_VISCOSITY u"!1190/!1192/!119621"
#define C_KINEMATIC u"!1192(2)/!119621"
#define C_AREA u"!1192(2)"
#define C_VOLUME u"!1192(3)"
#define C_VELOCITY u"!1192/!119621"
#define C_ACCELERATION u"!1192/!119621(2)"
#define C_PER_TIME u"!119621(-1)"

}  // namespace

const T接頭子リスト型 t接頭子リスト[D接頭子数] = {
    {u"", 0, 0},
    {u"Y", 24, D接頭子_Yo},  {u"Z", 21, D接頭子_Ze},  {u"E", 18, D接頭子_Ex},
    {u"P", 15, D接頭子_Pe},  {u"T", 12, D接頭子_Te},  {u"G", 9, D接頭子_Gi},
    {u"M", 6, D接頭子_Me},   {u"k", 3, D接頭子_k},    {u"h", 2, D接頭子_h},
    {u"da", 1, D接頭子_da},  {u"d", -1, D接頭子_d},   {u"c", -2, D接頭子_c},
    {u"m", -3, D接頭子_m},   {u"\u03BC", -6, D接頭子_micro},  // Greek small mu, not U+00B5
    {u"n", -9, D接頭子_n},   {u"p", -12, D接頭子_p},  {u"f", -15, D接頭子_f},
    {u"a", -18, D接頭子_a},  {u"z", -21, D接頭子_z},  {u"y", -24, D接頭子_y},
    {u"Ki", 10, D接頭子_Kibi, true}, {u"Mi", 20, D接頭子_Mebi, true}, {u"Gi", 30, D接頭子_Gibi, true},
    {u"Ti", 40, D接頭子_Tebi, true}, {u"Pi", 50, D接頭子_Pebi, true}, {u"Ei", 60, D接頭子_Exbi, true},
};

// Row order matters: a spelling reads as the first row that matches it (directly or with an
// allowed prefix), so new rows go after the last one.
const v単一表記単位情報再定義型 v単一表記単位情報再定義[D単一表記単位数] = {
    {u"", u"", D意味コ数値, u"*1", 0},
    {u"", u"???", D意味コ未知, u"*1", 0},
    {u"長さ", u"m", D意味コ長さ, u"*1", kLength},
    {u"時間(秒)", u"s", D意味コ時間, u"*1", D接頭子_k | kSmall},
    {u"時間(分)", u"min", D意味コ時間, u"*60", 0},
    {u"時間(時)", u"h", D意味コ時間, u"*3600", 0},
    {u"質量", u"g", D意味コ質量, u"*1",
     D接頭子_k | D接頭子_m | D接頭子_micro | D接頭子_n | D接頭子_p},
    {u"質量", u"t", D意味コ質量, u"*1000000", D接頭子_Me},
    {u"温度", u"K", D意味コ温度, u"*1", D接頭子_m},
    // degree Celsius: U+00B0 followed by "C", or U+2103
    {u"温度(セルシウス度)", u"*(\u00B0C|\u2103)", D意味コ温度, u"+273.15", 0},
    {u"物質量", u"mol", D意味コ物質量, u"*1", D接頭子_k | D接頭子_m | D接頭子_micro | D接頭子_n},
    {u"電流", u"A", D意味コ電流, u"*1", kKiloSmall},
    {u"光度", u"cd", D意味コ光度, u"*1", 0},
    {u"加速度(重力加速度)", u"Gal", C_ACCELERATION, u"/100", D接頭子_m},
    // the base unit of mass is the gram, hence the factors 1000 on N, J, Pa, W, ...
    {u"力", u"N", C_FORCE, u"*1000", D接頭子_Me | D接頭子_k | D接頭子_m},
    {u"仕事、熱量", u"J", C_WORK, u"*1000", kEnergy},
    {u"質量(宝石)", u"ct", D意味コ質量, u"*0.2", 0},
    {u"質量(真珠)", u"mon", D意味コ質量, u"*3.75", 0},
    {u"質量(金貨)", u"oz", D意味コ質量, u"*31.1035", 0},
    {u"圧力", u"Pa", C_PRESSURE, u"*1000",
     D接頭子_Gi | D接頭子_Me | D接頭子_k | D接頭子_h | D接頭子_m},
    {u"圧力(気圧、流体)", u"bar", C_PRESSURE, u"*100000000", D接頭子_m},
    {u"圧力(気圧)", u"atm", C_PRESSURE, u"*101325000", 0},
    {u"圧力(生体内圧)", u"Torr", C_PRESSURE, u"*133322", D接頭子_m | D接頭子_micro},
    {u"圧力(血圧測定)", u"mHg", C_PRESSURE, u"*133322000", D接頭子_m},
    {u"体積", u"*[lL]", C_VOLUME, u"/1000", kLength},
    {u"面積(土地)", u"a", C_AREA, u"*100", D接頭子_h},
    {u"長さ(海面、空中)", u"M", D意味コ長さ, u"*1852", 0},
    // Ångström: U+00C5, or the Angstrom sign U+212B
    {u"長さ(光学、結晶学)", u"*(\u00C5|\u212B)", D意味コ長さ, u"/10000000000", 0},
    {u"長さ(天文)", u"AU", D意味コ長さ, u"*149597870000", 0},
    {u"長さ(天文)", u"pc", D意味コ長さ, u"*30857000000000000", 0},
    {u"周波数", u"Hz", C_PER_TIME, u"*1",
     D接頭子_Yo | D接頭子_Ze | D接頭子_Ex | D接頭子_Pe | D接頭子_Te | D接頭子_Gi | D接頭子_Me |
         D接頭子_k},
    {u"仕事率、電力", u"W", C_POWER, u"*1000", kEnergy},
    {u"熱量(栄養関係)", u"cal", C_WORK, u"*4184", D接頭子_Gi | D接頭子_Me | D接頭子_k},
    {u"電荷、電気量", u"C", C_CHARGE, u"*1", kSmall},
    {u"電圧、起電力", u"V", C_VOLTAGE, u"*1000", kKiloSmall},
    {u"静電容量", u"F", C_CAPACITANCE, u"/1000", kKiloSmall},
    // Greek capital omega U+03A9, not the ohm sign U+2126
    {u"電気抵抗", u"\u03A9", C_RESISTANCE, u"*1000",
     D接頭子_Te | D接頭子_Gi | D接頭子_Me | D接頭子_k | D接頭子_m},
    {u"コンダクタンス", u"S", C_CONDUCTANCE, u"/1000", kKiloSmall},
    {u"インダクタンス", u"H", C_INDUCTANCE, u"*1000", kKiloSmall},
    {u"磁束", u"Wb", C_FLUX, u"*1000", kKiloSmall},
    {u"磁束密度", u"T", C_FLUX_DENSITY, u"*1000", kKiloSmall},
    {u"放射能", u"Bq", C_PER_TIME, u"*1", D接頭子_Te | D接頭子_Gi | D接頭子_Me | D接頭子_k},
    {u"放射能", u"Ci", C_PER_TIME, u"*37000000000", 0},
    {u"照射線量", u"R", C_EXPOSURE, u"*0.000000258", 0},
    {u"吸収線量、カーマ", u"Gy", C_DOSE, u"*1", D接頭子_m | D接頭子_micro},
    {u"吸収線量", u"rad", C_DOSE, u"/100", 0},
    {u"線量当量", u"Sv", C_DOSE, u"*1", D接頭子_m | D接頭子_micro},
    {u"線量当量", u"rem", C_DOSE, u"/100", 0},
    {u"粘度", u"P", C_VISCOSITY, u"*100", D接頭子_c},
    {u"動粘度", u"St", C_KINEMATIC, u"/10000", D接頭子_c},
    {u"速度(航海、航空)", u"kt", C_VELOCITY, u"*1852/3600", 0},
    {u"長さ", u"\u5C3A", D意味コ長さ, u"*10/33", 0},  // shaku
    {u"長さ", u"\u5BF8", D意味コ長さ, u"*1/33", 0},   // sun
    {u"体積", u"cc", C_VOLUME, u"/1000000", 0},
    {u"面積(田舎間 五尺八寸x二尺九寸)", u"\u7573", C_AREA, u"*1682/1089", 0},
    {u"面積(京間 六尺三寸x三尺一寸五分)", u"京\u7573", C_AREA, u"*1984.5/1089", 0},
    {u"面積(中京間 六尺x三尺)", u"中京\u7573", C_AREA, u"*1800/1089", 0},
    {u"面積(田舎間 五尺八寸x二尺九寸)", u"田舎\u7573", C_AREA, u"*1682/1089", 0},
    {u"", D例単_時間, D意味コ時間, u"*1", 0},
    {u"長さ", u"in", D意味コ長さ, u"*0.0254", 0},
    // A dimensionless unit worth pi/180: the formula's "π" is read as pi itself.
    {u"角度(度)", u"\u00B0", D意味コ数値, u"*π/180", 0},
    // Rows from here on were added later; a spelling above keeps its reading. Sources of
    // the factors: the 1959 international yard and pound (yard = 0.9144 m, pound =
    // 0.45359237 kg), the US customary units of NIST Handbook 44 (gallon = 231 in3), the
    // SI Brochure (eV, the Julian year of the IAU), Japan's measurement law (shaku =
    // 10/33 m, sho = 2401/1331 L, tsubo = 400/121 m2).
    {u"長さ(フィート)", u"ft", D意味コ長さ, u"*0.3048", 0},
    {u"長さ(ヤード)", u"yd", D意味コ長さ, u"*0.9144", 0},
    {u"長さ(マイル)", u"mi", D意味コ長さ, u"*1609.344", 0},
    {u"長さ(ミル、1/1000インチ)", u"mil", D意味コ長さ, u"*0.0000254", 0},
    {u"長さ(国際海里)", u"NM", D意味コ長さ, u"*1852", 0},
    {u"長さ(国際海里)", u"nmi", D意味コ長さ, u"*1852", 0},
    {u"長さ(光年)", u"ly", D意味コ長さ, u"*9460730472580800", 0},
    {u"長さ(天文単位)", u"au", D意味コ長さ, u"*149597870700", 0},
    {u"長さ(間、六尺)", u"\u9593", D意味コ長さ, u"*20/11", 0},
    {u"長さ(丈、十尺)", u"\u4E08", D意味コ長さ, u"*100/33", 0},
    {u"長さ(町、六十間)", u"\u753A", D意味コ長さ, u"*1200/11", 0},
    {u"長さ(里、三十六町)", u"\u91CC", D意味コ長さ, u"*43200/11", 0},
    {u"質量(ポンド)", u"lb", D意味コ質量, u"*453.59237", 0},
    {u"質量(常用オンス)", u"ozav", D意味コ質量, u"*28.349523125", 0},
    {u"質量(グレーン)", u"gr", D意味コ質量, u"*0.06479891", 0},
    {u"質量(ストーン)", u"st", D意味コ質量, u"*6350.29318", 0},
    {u"質量(貫)", u"\u8CAB", D意味コ質量, u"*3750", 0},
    {u"質量(斤)", u"\u65A4", D意味コ質量, u"*600", 0},
    // a measured value (CODATA 2022), not an exact one
    {u"質量(ダルトン)", u"Da", D意味コ質量, u"*0.00000000000000000000000166053906892", 0},
    {u"体積(米ガロン)", u"gal", C_VOLUME, u"*0.003785411784", 0},
    {u"体積(英ガロン)", u"galUK", C_VOLUME, u"*0.00454609", 0},
    {u"体積(米クォート)", u"qt", C_VOLUME, u"*0.000946352946", 0},
    {u"体積(米パイント)", u"pt", C_VOLUME, u"*0.000473176473", 0},
    {u"体積(米液量オンス)", u"floz", C_VOLUME, u"*0.0000295735295625", 0},
    {u"体積(米カップ)", u"cup", C_VOLUME, u"*0.0002365882365", 0},
    {u"体積(米大さじ)", u"tbsp", C_VOLUME, u"*0.00001478676478125", 0},
    {u"体積(米小さじ)", u"tsp", C_VOLUME, u"*0.00000492892159375", 0},
    {u"体積(石油バレル)", u"bbl", C_VOLUME, u"*0.158987294928", 0},
    {u"体積(勺)", u"\u52FA", C_VOLUME, u"*2401/133100000", 0},
    {u"体積(合)", u"\u5408", C_VOLUME, u"*2401/13310000", 0},
    {u"体積(升)", u"\u5347", C_VOLUME, u"*2401/1331000", 0},
    {u"体積(斗)", u"\u6597", C_VOLUME, u"*2401/133100", 0},
    {u"体積(石)", u"\u77F3", C_VOLUME, u"*2401/13310", 0},
    {u"面積(エーカー)", u"ac", C_AREA, u"*4046.8564224", 0},
    {u"面積(坪)", u"\u576A", C_AREA, u"*400/121", 0},
    {u"面積(畝、三十坪)", u"\u755D", C_AREA, u"*12000/121", 0},
    {u"面積(反、三百坪)", u"\u53CD", C_AREA, u"*120000/121", 0},
    {u"面積(町歩、三千坪)", u"\u753A\u6B69", C_AREA, u"*1200000/121", 0},
    {u"時間(日)", u"d", D意味コ時間, u"*86400", 0},
    {u"時間(日)", u"day", D意味コ時間, u"*86400", 0},
    {u"時間(日)", u"\u65E5", D意味コ時間, u"*86400", 0},
    {u"時間(週)", u"wk", D意味コ時間, u"*604800", 0},
    {u"時間(週)", u"\u9031", D意味コ時間, u"*604800", 0},
    {u"時間(ユリウス年)", u"yr", D意味コ時間, u"*31557600", 0},
    {u"エネルギー(電子ボルト)", u"eV", C_WORK, u"*0.0000000000000001602176634", kBigDecimal},
    {u"電力量", u"Wh", C_WORK, u"*3600000", kBigDecimal},
    {u"熱量(国際蒸気表カロリー)", u"calIT", C_WORK, u"*4186.8", 0},
    {u"熱量(英熱量)", u"BTU", C_WORK, u"*1055055.85262", 0},
    {u"仕事(エルグ)", u"erg", C_WORK, u"/10000", 0},
    // 550 ft*lbf/s
    {u"仕事率(英馬力)", u"hp", C_POWER, u"*745699.87158227022", 0},
    // 75 kgf*m/s
    {u"仕事率(仏馬力)", u"PS", C_POWER, u"*735498.75", 0},
    {u"仕事率(仏馬力)", u"\u99AC\u529B", C_POWER, u"*735498.75", 0},
    // lbf/in2
    {u"圧力(重量ポンド毎平方インチ)", u"psi", C_PRESSURE, u"*4448.2216152605/0.00064516", 0},
    // 25.4 conventional mmHg (13.5951 g/cm3 under standard gravity)
    {u"圧力(水銀柱インチ)", u"inHg", C_PRESSURE, u"*3386388.640341", 0},
    {u"圧力(水柱ミリメートル)", u"mmH2O", C_PRESSURE, u"*9806.65", 0},
    {u"圧力(水柱ミリメートル)", u"mmAq", C_PRESSURE, u"*9806.65", 0},
    {u"圧力(工学気圧)", u"at", C_PRESSURE, u"*98066500", 0},
    {u"力(重量グラム)", u"gf", C_FORCE, u"*9.80665", D接頭子_k},
    {u"力(重量ポンド)", u"lbf", C_FORCE, u"*4448.2216152605", 0},
    {u"力(ダイン)", u"dyn", C_FORCE, u"/100", 0},
    {u"速度(マイル毎時)", u"mph", C_VELOCITY, u"*0.44704", 0},
    {u"速度(ノット)", u"kn", C_VELOCITY, u"*1852/3600", 0},
    // degree Fahrenheit: U+00B0 followed by "F", or U+2109. An offset row reads as offset
    // (in kelvins) = the product after the sign, factor = that product without its first
    // number: K = (°F + 459.67) * 5/9.
    {u"温度(ファーレンハイト度)", u"*(\u00B0F|\u2109)", D意味コ温度, u"+459.67*5/9", 0},
    {u"温度(ランキン度)", u"\u00B0R", D意味コ温度, u"*5/9", 0},
    {u"比率(百分率)", u"%", D意味コ数値, u"/100", 0, true},
    {u"比率(千分率)", u"\u2030", D意味コ数値, u"/1000", 0, true},
    {u"比率(百万分率)", u"ppm", D意味コ数値, u"/1000000", 0, true},
    {u"比率(十億分率)", u"ppb", D意味コ数値, u"/1000000000", 0, true},
    {u"情報量(バイト)", u"B", D意味コ情報量, u"*1", kInformation},
    {u"情報量(ビット)", u"bit", D意味コ情報量, u"/8", kInformation},
};

const v意味コ表記情報再定義型 v意味コ表記情報再定義[D意味コ表記数] = {
    {u"", D意味コ数値, u"!11950", u""},
    {u"", D意味コ未知, u"!33066", u"???"},
    {u"", D意味コ長さ, u"!1192", u"m"},
    {u"", D意味コ時間, u"!119621", u"s"},
    {u"", D意味コ質量, u"!1190", u"g"},
    {u"", D意味コ温度, u"!11931", u"K"},
    {u"", D意味コ物質量, u"!1510", u"mol"},
    {u"", D意味コ電流, u"!119622", u"A"},
    {u"", D意味コ光度, u"!11932", u"cd"},
    {u"速度", C_VELOCITY, u"!1192 / !119621", u"km / h"},
    {u"面積", C_AREA, u"!1192(2)", u"m2"},
    {u"体積", C_VOLUME, u"!1192(3)", u"m3"},
    {u"加速度", C_ACCELERATION, u"!1192 / !119621(2)", u"m / s2"},
    {u"", C_FORCE, C_FORCE, u"N"},
    {u"", C_WORK, C_WORK, u"J"},
    {u"", C_PRESSURE, C_PRESSURE, u"Pa"},
    {u"毎秒", C_PER_TIME, u"!119621(-1)", u"s-1"},
    {u"", C_POWER, C_POWER, u"W"},
    {u"", C_CHARGE, C_CHARGE, u"C"},
    {u"", C_VOLTAGE, C_VOLTAGE, u"V"},
    {u"", C_CAPACITANCE, C_CAPACITANCE, u"F"},
    {u"", C_RESISTANCE, C_RESISTANCE, u"\u03A9"},
    {u"", C_CONDUCTANCE, C_CONDUCTANCE, u"S"},
    {u"", C_INDUCTANCE, C_INDUCTANCE, u"H"},
    {u"", C_FLUX, C_FLUX, u"Wb"},
    {u"", C_FLUX_DENSITY, C_FLUX_DENSITY, u"T"},
    {u"", C_EXPOSURE, C_EXPOSURE, u"R"},
    {u"", C_DOSE, C_DOSE, u"Gy"},
    // rates: a compound code, then "/" and the time code, shown as "R / s" and "Gy / s"
    {u"照射線量率", C_EXPOSURE_RATE, C_EXPOSURE u" / !119621", u"R / s"},
    {u"吸収線量率", C_DOSE_RATE, C_DOSE u" / !119621", u"Gy / s"},
    {u"", C_VISCOSITY, C_VISCOSITY, u"P"},
    {u"", C_KINEMATIC, C_KINEMATIC, u"St"},
    {u"", D意味コ情報量, u"!1191", u"B"},
};

std::vector<T単一表記単位情報型> t単一表記単位情報;
std::vector<T意味コ表記情報型> t意味コ表記情報;

namespace {

// Every plain spelling (a row's alternatives, without prefix) with the rows spelled so,
// in row order.
std::unordered_map<std::u16string, std::vector<int32_t>> t綴り索引;

// Adds row i's plain spellings to the index.
void f索引追加(int32_t i) {
    const std::u16string& spelling = t単一表記単位情報[i].t単一.s綴り;
    if (!spelling.empty() && spelling[0] == D正規文印[0]) {
        for (auto& w : f綴り候補(spelling)) t綴り索引[std::move(w)].push_back(i);
    } else {
        t綴り索引[spelling].push_back(i);
    }
}

// The reading of a term as scanning the rows in order finds it: among the rows it reads
// as (directly, or as an allowed prefix followed by a plain spelling), the first row,
// and for that row the direct reading, else the first prefix in list order.
bool f綴り解決(const std::u16string& term, T綴り索引型& rHit) {
    int32_t bestRow = INT32_MAX, bestPrefix = INT32_MAX;
    for (int32_t k = 0; k < D接頭子数; ++k) {
        const T接頭子リスト型& prefix = t接頭子リスト[k];
        const std::u16string_view p = prefix.s接頭子;
        if (!term.starts_with(p) || (k != 0 && term.size() == p.size())) continue;
        const auto it = t綴り索引.find(k == 0 ? term : term.substr(p.size()));
        if (it == t綴り索引.end()) continue;
        for (const int32_t row : it->second) {
            if (k != 0 && (prefix.lフラグ & t単一表記単位情報[row].l接頭子フラグ) == 0) continue;
            if (row < bestRow || (row == bestRow && k < bestPrefix)) {
                bestRow = row;
                bestPrefix = k;
            }
            break;  // later rows of this spelling come after this one
        }
    }
    if (bestRow == INT32_MAX) return false;
    const T接頭子リスト型& prefix = t接頭子リスト[bestPrefix];
    rHit = {bestRow, prefix.b二進 ? 0 : prefix.l指数, prefix.b二進 ? prefix.l指数 : 0};
    return true;
}

// The plain spellings of row i, alone and with each allowed prefix.
std::vector<std::u16string> f行の綴り(int32_t i) {
    const T単一表記単位情報型& row = t単一表記単位情報[i];
    std::vector<std::u16string> out;
    for (const auto& w : f綴り候補(row.t単一.s綴り)) {
        out.push_back(w);
        for (const auto& prefix : t接頭子リスト) {
            if ((prefix.lフラグ & row.l接頭子フラグ) != 0) out.push_back(prefix.s接頭子 + w);
        }
    }
    return out;
}

// Fills the run-time tables from the constant ones.
void f表構築() {
    std::unordered_map<std::u16string_view, T意味コ配列型> dims;
    t綴り索引.reserve(2 * D単一表記単位数);
    t単一表記単位情報.resize(D単一表記単位数);
    for (int i = 0; i < D単一表記単位数; ++i) {
        const auto& row = v単一表記単位情報再定義[i];
        auto& unit = t単一表記単位情報[i];
        unit.t単一.s綴り = row.s綴り;
        // many rows share a dimension: each code string is parsed once
        auto [parsed, fresh] = dims.try_emplace(row.s意味コード);
        if (fresh) f意味コ昇順配列作成(row.s意味コード, parsed->second);
        unit.t単一.t意味コ配列 = parsed->second;
        unit.s基底値補正式 = row.s基底値補正式;
        unit.l接頭子フラグ = row.l接頭子フラグ;
        unit.b比率 = row.b比率;
    }
    for (int i = 1; i < D単一表記単位数; ++i) f索引追加(i);
    t意味コ表記情報.resize(D意味コ表記数);
    for (int i = 0; i < D意味コ表記数; ++i) {
        const auto& row = v意味コ表記情報再定義[i];
        auto& notation = t意味コ表記情報[i];
        f意味コ昇順配列作成(row.s意味コード, notation.t意味コ配列);
        notation.s意味コリスト = row.s意味コリスト;
        notation.sデフォルト綴りリスト = row.sデフォルト綴りリスト;
    }
}

}  // namespace

// The tables are built on first use rather than at start: a line without units never
// needs them, and building them is a third of the work of a one-line run. Any thread
// may be the first.
void init_var() {
    static const bool bBuilt = (f表構築(), true);
    (void)bBuilt;
}

std::optional<T綴り索引型> f綴り索引検索(const std::u16string& vs綴り) {
    init_var();
    T綴り索引型 hit;
    if (!f綴り解決(vs綴り, hit)) return std::nullopt;
    return hit;
}

std::vector<std::u16string> f綴り候補(const std::u16string& vs綴り) {
    if (vs綴り.empty() || vs綴り[0] != D正規文印[0]) return {vs綴り};
    const std::u16string sJoin = std::u16string(CSTAVELKO_RB) + CSTAVELKO_LB;
    std::u16string all = f正規文展開(vs綴り.substr(1)) + sJoin;
    std::vector<std::u16string> out;
    for (size_t p; (p = all.find(sJoin)) != std::u16string::npos; all.erase(0, p + sJoin.size())) {
        out.push_back(all.substr(0, p));
    }
    return out;
}

bool f利用者単位追加(const std::u16string& vs綴り, const T意味コ配列型& vt意味コ配列,
                     const std::u16string& vs基底値補正式, int32_t vl接頭子フラグ,
                     const std::u16string& vs説明) {
    init_var();
    if (vs綴り.empty() || vs綴り[0] == D正規文印[0] || vs綴り[0] == D例外単位印[0]) return false;
    T単一表記単位情報型 unit;
    unit.t単一 = {vt意味コ配列, vs綴り};
    unit.s基底値補正式 = vs基底値補正式;
    unit.l接頭子フラグ = vl接頭子フラグ;
    unit.s説明 = vs説明;
    t単一表記単位情報.push_back(std::move(unit));
    const auto i = static_cast<int32_t>(t単一表記単位情報.size() - 1);
    for (const auto& spelling : f行の綴り(i)) {
        if (T綴り索引型 hit; f綴り解決(spelling, hit)) {
            t単一表記単位情報.pop_back();
            return false;
        }
    }
    f索引追加(i);
    return true;
}

void f配列変換(std::u16string sリスト, TAString& rs変換配列) {
    sリスト += D_SEP;
    size_t count = 0;
    while (!sリスト.empty()) {
        const size_t sep = sリスト.find(D_SEP);
        ++count;
        rs変換配列.resize(count + 1);
        rs変換配列[count] = sリスト.substr(0, sep);
        sリスト.erase(0, sep + 1);
    }
}
