#include "tools/stock_sample.h"

#include "runtime/ansi_code_page.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace
{

// The vocabulary is written in UTF-8 here and encoded to Windows-1250 once.
// A product and the size or quantity that usually follows its name, the number drawn from 1 to
// largest; no format for products sold without one.
struct Product {
    const char* name;
    const char* sizeFormat;
    std::uint64_t largest;
};

constexpr Product kProducts[] = {
    {"Śruba sześciokątna", "M%lldx40", 24},  {"Wkręt do drewna", "%lld mm", 120},
    {"Młotek ślusarski", "%lld g", 2000},    {"Klucz płaski", "%lld mm", 32},
    {"Łożysko kulkowe", "%lld", 6310},       {"Żarówka LED", "%lld W", 25},
    {"Przedłużacz bębnowy", "%lld m", 50},   {"Taśma izolacyjna", "%lld mm", 50},
    {"Klej montażowy", "%lld ml", 600},      {"Farba emulsyjna", "%lld l", 20},
    {"Pędzel płaski", "%lld mm", 120},       {"Wałek malarski", "%lld cm", 30},
    {"Rękawice robocze", "rozm. %lld", 11},  {"Kątownik stalowy", "%lld mm", 600},
    {"Piła do drewna", "%lld mm", 700},      {"Wiertło do betonu", "fi %lld", 20},
    {"Szpachla nierdzewna", "%lld cm", 15},  {"Zawias meblowy", "%lld mm", 35},
    {"Uszczelka gumowa", "fi %lld", 60},     {"Łańcuch ocynkowany", "%lld mm", 13},
    {"Gwóźdź budowlany", "%lld mm", 200},    {"Kołek rozporowy", "%lld mm", 14},
    {"Źródło zasilania", "%lld W", 600},     {"Żyłka do kosy", "%lld m", 100},
    {"Łopata szpadel", nullptr, 0},          {"Grabie ogrodowe", "%lld zębów", 24},
    {"Wąż ogrodowy", "%lld m", 50},          {"Sekator ręczny", nullptr, 0},
    {"Kabel miedziany", "%lld mm2", 16},     {"Gniazdo podwójne", nullptr, 0},
    {"Włącznik światła", nullptr, 0},        {"Rura miedziana", "fi %lld", 54},
    {"Kolano mosiężne", "fi %lld", 54},      {"Zaprawa klejowa", "%lld kg", 25},
    {"Cement portlandzki", "%lld kg", 25},   {"Płytka ceramiczna", "%lldx60", 60},
    {"Silikon sanitarny", "%lld ml", 310},   {"Pianka montażowa", "%lld ml", 750},
    {"Śrubokręt krzyżakowy", "PH%lld", 3},   {"Poziomica aluminiowa", "%lld cm", 200},
    {"Miara zwijana", "%lld m", 10},         {"Tarcza do cięcia", "%lld mm", 230},
    {"Papier ścierny", "P%lld", 400},        {"Szczotka druciana", nullptr, 0},
    {"Łącznik kątowy", "%lld mm", 100},      {"Ściągacz do łożysk", "%lld mm", 150},
    {"Lutownica grzałkowa", "%lld W", 100},  {"Drabina aluminiowa", "%lld stopni", 12},
    {"Wiadro budowlane", "%lld l", 20},      {"Kielnia murarska", "%lld mm", 250},
    {"Zamek wpuszczany", "%lld mm", 90},     {"Kłódka mosiężna", "%lld mm", 60},
    {"Ćwierćwałek sosnowy", "%lld cm", 250}, {"Końcówka wkrętarska", "PZ%lld", 3},
    {"Dźwignia zaworu", nullptr, 0},         {"Ściereczka z mikrofibry", nullptr, 0},
    {"Nóż do tapet", "%lld mm", 25},         {"Obcęgi zbrojarskie", "%lld mm", 280},
    {"Płyn do mycia szyb", "%lld ml", 750},  {"Kaseta narzędziowa", "%lld el.", 120},
};

// Noun phrases, so they suit a name of any gender.
constexpr const char* kNameDetails[] = {
    "kolor biały",   "kolor czarny", "kolor żółty",
    "kolor zielony", "kolor szary",  "kolor brązowy",
    "ocynk",         "zestaw",       "premium",
    "z rączką",      "komplet",      "wersja wzmocniona",
    "typ A",         "seria 200",    "dla profesjonalistów",
    "promocja",
};

// clang-format off
constexpr const char* kUnits[] = {
    "szt.", "kg", "mb", "m2", "m3", "l", "opak.", "kpl.", "para", "rolka", "arkusz",
    "worek 25 kg", "karton 12 szt.", "opakowanie 100 szt.", "paleta 48 worków", "wiązka 10 mb",
    "beczka 200 l", "puszka 0,75 l", "zgrzewka 6 szt.", "tuba 280 ml", "bęben 50 m",
    "kpl. (3 części)", "słoik 0,5 kg", "kanister 5 l",
};
// clang-format on

constexpr const char* kDescriptionSentences[] = {
    "Do użytku wewnętrznego i zewnętrznego.",
    "Odporny na wilgoć, mróz i promieniowanie UV.",
    "Przechowywać w suchym miejscu, z dala od źródeł ciepła.",
    "Produkt zgodny z normą PN-EN ISO 9001.",
    "Dostępny od ręki w magazynie głównym.",
    "Termin dostawy: 3 dni robocze.",
    "Gwarancja producenta 24 miesiące.",
    "Nie nadaje się do kontaktu z żywnością.",
    "Chronić przed dziećmi.",
    "Łatwy montaż bez użycia dodatkowych narzędzi.",
    "Wysoka odporność na ścieranie i korozję.",
    "Zużycie ok. 0,2 kg na m2 przy jednej warstwie.",
    "Czas schnięcia: 2 godziny w temperaturze 20°C.",
    "Ostatnie sztuki w tej cenie – zamówienia hurtowe po uzgodnieniu.",
    "Żółty kolor ułatwia znalezienie narzędzia w trawie.",
    "Cena nie obejmuje kosztów wysyłki.",
    "Sprzedaż wyłącznie w pełnych opakowaniach zbiorczych.",
    "Możliwość zamówienia w innych rozmiarach i kolorach.",
    "Ściśle przestrzegać instrukcji producenta.",
    "Towar sprowadzany na zamówienie klienta.",
    "Wyrób posiada atest PZH.",
    "Stosować okulary ochronne podczas cięcia i szlifowania.",
    "Opakowanie nadaje się do recyklingu.",
    "Przed użyciem dokładnie wymieszać.",
    "Zapas minimalny: 10 szt., zamawiać u dostawcy „Żelmet” w Łodzi.",
    "Uwaga: gęstość partii może się różnić o ±2%.",
    "Półka B-12, regał wschodni, strefa źródłowa.",
    "Źle przechowywany traci właściwości już po miesiącu.",
    "Ćwiartka palety wydana na budowę przy ul. Żeromskiego.",
};

using Bytes = std::string; // Windows-1250 text

template <std::size_t N> std::vector<Bytes> encodeAll(const char* const (&list)[N])
{
    std::vector<Bytes> out;
    for (const char* text : list)
        out.push_back(ansiFromUtf8(text));
    return out;
}

// Capitals of the code page's Polish letters and of ASCII, for names shouted in capitals.
std::array<std::uint8_t, 256> makeUpperTable()
{
    std::array<std::uint8_t, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b)
        table[b] = static_cast<std::uint8_t>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    const Bytes lower = ansiFromUtf8("ąćęłńóśźż");
    const Bytes upper = ansiFromUtf8("ĄĆĘŁŃÓŚŹŻ");
    for (std::size_t i = 0; i < lower.size(); ++i)
        table[static_cast<std::uint8_t>(lower[i])] = static_cast<std::uint8_t>(upper[i]);
    return table;
}

std::vector<Bytes> encodeProductNames()
{
    std::vector<Bytes> out;
    for (const Product& product : kProducts)
        out.push_back(ansiFromUtf8(product.name));
    return out;
}

struct Vocabulary {
    std::vector<Bytes> names = encodeProductNames();
    std::vector<Bytes> details = encodeAll(kNameDetails);
    std::vector<Bytes> units = encodeAll(kUnits);
    std::vector<Bytes> sentences = encodeAll(kDescriptionSentences);
    Bytes currency = ansiFromUtf8(" zł");
    std::array<std::uint8_t, 256> upper = makeUpperTable();
};

const Vocabulary& vocabulary()
{
    static const Vocabulary v;
    return v;
}

// Plain modulo instead of std distributions, whose output differs between standard
// libraries: a seed must give the same file everywhere.
std::uint64_t below(std::mt19937_64& random, std::uint64_t n)
{
    return random() % n;
}

bool chance(std::mt19937_64& random, unsigned percent)
{
    return below(random, 100) < percent;
}

template <class T> const T& pickFrom(std::mt19937_64& random, const std::vector<T>& list)
{
    return list[below(random, list.size())];
}

// Builds one text field in place: the length byte, then the text, never beyond the room.
class FieldText
{
public:
    FieldText(StockRecord& record, int field)
        : length_(record[kTextFieldOffsets[std::size_t(field - 1)]]),
          text_(record.data() + kTextFieldOffsets[std::size_t(field - 1)] + 1),
          room_(kSampleTextRooms[std::size_t(field - 1)])
    {
        length_ = 0;
    }

    // Appends the whole piece, after a space unless the text is empty; false when it does
    // not fit, and the text stays as it was.
    bool appendWord(std::string_view piece)
    {
        const std::size_t gap = length_ == 0 ? 0 : 1;
        if (length_ + gap + piece.size() > room_)
            return false;
        if (gap)
            text_[length_++] = ' ';
        append(piece);
        return true;
    }

    bool appendRaw(std::string_view piece)
    {
        if (length_ + piece.size() > room_)
            return false;
        append(piece);
        return true;
    }

    void appendByte(std::uint8_t byte) { text_[length_++] = byte; }
    std::size_t size() const { return length_; }
    std::size_t room() const { return room_; }
    std::uint8_t* data() { return text_; }

private:
    void append(std::string_view piece)
    {
        std::memcpy(text_ + length_, piece.data(), piece.size());
        length_ = static_cast<std::uint8_t>(length_ + piece.size());
    }

    std::uint8_t& length_;
    std::uint8_t* text_;
    std::size_t room_;
};

std::string formatted(const char* format, long long value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

void writeName(FieldText& name, std::mt19937_64& random)
{
    const Vocabulary& v = vocabulary();
    const std::size_t product = below(random, std::size(kProducts));
    name.appendWord(v.names[product]);
    const Product& p = kProducts[product];
    if (p.sizeFormat && chance(random, 70))
        name.appendWord(ansiFromUtf8(
            formatted(p.sizeFormat, 1 + static_cast<long long>(below(random, p.largest)))));
    if (chance(random, 25))
        name.appendWord(pickFrom(random, v.details));
    if (chance(random, 10))
        for (std::size_t i = 0; i < name.size(); ++i)
            name.data()[i] = v.upper[name.data()[i]];
}

// Text field 1 of a blank-name record: nothing, or only spaces and control bytes.
void writeBlankName(FieldText& name, std::mt19937_64& random)
{
    const std::size_t length = below(random, name.room() + 1);
    const auto kind = below(random, 3);
    for (std::size_t i = 0; i < length; ++i)
        name.appendByte(kind == 0   ? std::uint8_t(' ')
                        : kind == 1 ? std::uint8_t(0)
                                    : static_cast<std::uint8_t>(below(random, 33)));
}

void writeUnit(FieldText& unit, std::mt19937_64& random)
{
    unit.appendWord(pickFrom(random, vocabulary().units));
}

// A warehouse code from the name's first letters: "ŁOŻ-004512/A".
void writeCode(FieldText& code, const std::uint8_t* name, std::size_t nameLength,
               std::mt19937_64& random)
{
    const Vocabulary& v = vocabulary();
    if (chance(random, 15)) {
        code.appendRaw(formatted("PL%08lld", static_cast<long long>(below(random, 100000000))));
        return;
    }
    const std::size_t letters = 2 + below(random, 2);
    for (std::size_t i = 0; i < nameLength && code.size() < letters; ++i)
        if (name[i] > ' ')
            code.appendByte(v.upper[name[i]]);
    if (code.size() == 0)
        code.appendRaw("XX");
    static constexpr std::uint64_t kNumberRanges[] = {1000, 10000, 100000, 1000000};
    const std::size_t digits = below(random, std::size(kNumberRanges));
    char number[16];
    std::snprintf(number, sizeof number, "-%0*lld", int(digits + 3),
                  static_cast<long long>(below(random, kNumberRanges[digits])));
    code.appendRaw(number);
    if (chance(random, 30)) {
        const char suffix[] = {'/', static_cast<char>('A' + below(random, 6)), 0};
        code.appendRaw(suffix);
    }
}

// "12,50 zł", "1 234,99" (no room left for the currency), "0,35 zł".
void writePrice(FieldText& price, std::mt19937_64& random)
{
    // Roughly even over the orders of magnitude, as a hardware store's list is.
    static constexpr std::uint64_t kRanges[] = {100, 1000, 10000, 100000, 1000000};
    const long long grosze = 1 + static_cast<long long>(below(random, kRanges[below(random, 5)]));
    const long long zlote = grosze / 100;
    std::string text = zlote >= 1000 && chance(random, 50)
                           ? formatted("%lld", zlote / 1000) + formatted(" %03lld", zlote % 1000)
                           : formatted("%lld", zlote);
    text += formatted(",%02lld", grosze % 100);
    price.appendRaw(text);
    if (chance(random, 70))
        price.appendRaw(vocabulary().currency);
}

// Up to six different sentences, as many as fit.
void writeDescription(FieldText& description, std::mt19937_64& random)
{
    const std::vector<Bytes>& sentences = vocabulary().sentences;
    std::size_t chosen[6];
    const std::size_t count = below(random, std::size(chosen) + 1);
    for (std::size_t i = 0; i < count; ++i) {
        chosen[i] = below(random, sentences.size());
        if (std::find(chosen, chosen + i, chosen[i]) == chosen + i)
            description.appendWord(sentences[chosen[i]]);
    }
}

void fillRandom(std::uint8_t* bytes, std::size_t count, std::mt19937_64& random)
{
    while (count >= 8) {
        const std::uint64_t word = random();
        std::memcpy(bytes, &word, 8);
        bytes += 8;
        count -= 8;
    }
    if (count > 0) {
        const std::uint64_t word = random();
        std::memcpy(bytes, &word, count);
    }
}

// Produces the file front to back in pieces of about chunkBytes, each handed to emit.
void generateSample(const SampleOptions& options, std::size_t chunkBytes,
                    const std::function<void(const std::uint8_t*, std::size_t)>& emit)
{
    validateSampleOptions(options);
    std::vector<std::uint64_t> blanks = options.blankPositions;
    std::sort(blanks.begin(), blanks.end());
    auto nextBlank = blanks.begin();

    std::mt19937_64 random(options.seed);
    const std::size_t recordsPerChunk = std::max<std::size_t>(1, chunkBytes / kStockRecordSize);
    std::vector<std::uint8_t> chunk;
    chunk.reserve(recordsPerChunk * kStockRecordSize + kStockRecordSize);
    for (std::uint64_t number = 1; number <= options.records; ++number) {
        while (nextBlank != blanks.end() && *nextBlank < number)
            ++nextBlank;
        const StockRecord record =
            sampleRecord(random, nextBlank != blanks.end() && *nextBlank == number);
        chunk.insert(chunk.end(), record.begin(), record.end());
        if (chunk.size() >= recordsPerChunk * kStockRecordSize) {
            emit(chunk.data(), chunk.size());
            chunk.clear();
        }
    }
    const std::size_t tailStart = chunk.size();
    chunk.resize(tailStart + options.tailBytes);
    fillRandom(chunk.data() + tailStart, options.tailBytes, random);
    if (!chunk.empty())
        emit(chunk.data(), chunk.size());
}

} // namespace

StockRecord sampleRecord(std::mt19937_64& random, bool blankName)
{
    StockRecord record;
    fillRandom(record.data(), record.size(), random);

    FieldText name(record, 1);
    if (blankName)
        writeBlankName(name, random);
    else
        writeName(name, random);

    // A few records lack a unit, price or description, as real stock lists do.
    FieldText unit(record, 2);
    if (!chance(random, 5))
        writeUnit(unit, random);
    FieldText code(record, 3);
    writeCode(code, record.data() + kTextFieldOffsets[0] + 1, record[kTextFieldOffsets[0]], random);
    FieldText price(record, 4);
    if (!chance(random, 5))
        writePrice(price, random);
    FieldText description(record, 5);
    writeDescription(description, random);
    return record;
}

void validateSampleOptions(const SampleOptions& options)
{
    if (options.tailBytes >= kStockRecordSize)
        throw std::invalid_argument(
            "the tail must be shorter than a record (0 to 462 bytes), not " +
            std::to_string(options.tailBytes));
    if (options.records > UINT64_MAX / kStockRecordSize - 1)
        throw std::invalid_argument("too many records: " + std::to_string(options.records));
    for (const std::uint64_t position : options.blankPositions)
        if (position < 1 || position > options.records)
            throw std::invalid_argument("blank-name position " + std::to_string(position) +
                                        " is outside the records 1 to " +
                                        std::to_string(options.records));
}

std::uint64_t sampleFileSize(const SampleOptions& options)
{
    return options.records * kStockRecordSize + options.tailBytes;
}

std::vector<std::uint8_t> sampleBytes(const SampleOptions& options)
{
    validateSampleOptions(options);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(sampleFileSize(options));
    generateSample(options, 1 << 16, [&](const std::uint8_t* data, std::size_t size) {
        bytes.insert(bytes.end(), data, data + size);
    });
    return bytes;
}

void writeSampleFile(const std::string& path, const SampleOptions& options)
{
    validateSampleOptions(options);
    auto failure = [&](const char* what) {
        return std::runtime_error("cannot " + std::string(what) + " " + path + ": " +
                                  std::strerror(errno));
    };
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw failure("create");
    // Whole chunks go straight to the system; the stream's own buffer would only copy them.
    std::setvbuf(file, nullptr, _IONBF, 0);
    try {
        generateSample(options, 4 << 20, [&](const std::uint8_t* data, std::size_t size) {
            if (std::fwrite(data, 1, size, file) != size)
                throw failure("write");
        });
    } catch (...) {
        std::fclose(file);
        throw;
    }
    if (std::fclose(file) != 0)
        throw failure("write");
}
