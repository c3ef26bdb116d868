#pragma once

#include <string>

enum class ScanMethod {
    Intelligent = 0, // "inteligentna": to the end, or up to the third blank-name record
    Counted = 1,     // "po podaniu ilości zapisów do oczytu": exactly N records
};

// What the preview and the writer read from the window, asked for at the moment each
// operation needs it (the name after the grid is blanked, the count when the counted scan
// starts), so an operation sees the window as it is at that step.
class RepairInputs
{
public:
    virtual ~RepairInputs() = default;
    // The stock file's name: the file-name field's FileName.
    virtual std::string stockFileName() const = 0;
    virtual ScanMethod scanMethod() const = 0;
    // The count field's raw text, converted by the integer rule only by the counted scan.
    virtual std::string countText() const = 0;
};

// Inputs held as plain values.
struct FixedRepairInputs final : RepairInputs {
    std::string fileName;
    ScanMethod method = ScanMethod::Intelligent;
    std::string count;

    FixedRepairInputs(std::string name, ScanMethod m = ScanMethod::Intelligent,
                      std::string countText = {})
        : fileName(std::move(name)), method(m), count(std::move(countText))
    {
    }
    std::string stockFileName() const override { return fileName; }
    ScanMethod scanMethod() const override { return method; }
    std::string countText() const override { return count; }
};
