#include "screens_report.h"

#include "number_format.h"
#include "report_texts.h"

std::string screens_time_text(double screens_time)
{
    return spent_text("The system spent: ", screens_time);
}

std::string screens_executions_text(double executions_per_sec)
{
    return millions_executions_text(executions_per_sec);
}

std::string screens_characters_text(double screens_time)
{
    return "Conventionally, it was: " + format_number(characters_written / screens_time) +
           " Characters/sec.";
}
