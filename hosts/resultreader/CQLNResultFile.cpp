#include "CQLNResultFile.h"

#include <netcdf.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// The file stays open for as long as the object lives.
class OpenFile
{
public:
    explicit OpenFile(int id) : m_id(id) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() { nc_close(m_id); }

private:
    int m_id;
};

std::string Library(int status)
{
    return nc_strerror(status);
}

// The shortest text that reads back as the same float: a float widened to double shows digits
// the instrument never wrote (4.23456 becomes 4.2345600128173828).
std::string FloatText(float value)
{
    char buf[64];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(buf, nullptr) == value)
            break;
    }
    return buf;
}

std::string DoubleText(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

double DefaultFill(nc_type type)
{
    switch (type) {
    case NC_BYTE: return NC_FILL_BYTE;
    case NC_SHORT: return NC_FILL_SHORT;
    case NC_INT: return NC_FILL_INT;
    case NC_FLOAT: return static_cast<double>(NC_FILL_FLOAT);
    case NC_DOUBLE: return NC_FILL_DOUBLE;
    default: return std::numeric_limits<double>::quiet_NaN();
    }
}

bool IsNumberType(nc_type type)
{
    return type == NC_BYTE || type == NC_SHORT || type == NC_INT || type == NC_FLOAT || type == NC_DOUBLE ||
           type == NC_UBYTE || type == NC_USHORT || type == NC_UINT || type == NC_INT64 || type == NC_UINT64;
}

// The text of each value: float as float, every other type through double; values equal to the
// fill value (written where nothing was) are empty.
std::vector<std::string> NumberTexts(nc_type type, const std::vector<double>& values, const std::vector<float>& floats,
                                     double fill)
{
    std::vector<std::string> texts;
    texts.reserve(values.size() + floats.size());
    if (type == NC_FLOAT) {
        for (const float f : floats)
            texts.push_back(static_cast<double>(f) == fill || !std::isfinite(f) ? std::string() : FloatText(f));
    } else {
        for (const double d : values)
            texts.push_back(d == fill || !std::isfinite(d) ? std::string() : DoubleText(d));
    }
    return texts;
}

bool ReadAttribute(int ncid, int varid, const char* name, std::string& text, std::string& error)
{
    nc_type type = NC_NAT;
    size_t length = 0;
    int status = nc_inq_att(ncid, varid, name, &type, &length);
    if (status == NC_NOERR && length > CQLNResultFile::m_knMaxValues)
        status = NC_ENOMEM;
    if (status == NC_NOERR && type == NC_CHAR) {
        text.assign(length, '\0');
        status = length == 0 ? NC_NOERR : nc_get_att_text(ncid, varid, name, &text[0]);
    } else if (status == NC_NOERR && IsNumberType(type) && length > 0) {
        // An attribute of several numbers shows its first.
        if (type == NC_FLOAT) {
            std::vector<float> values(length);
            status = nc_get_att_float(ncid, varid, name, values.data());
            text = FloatText(values.front());
        } else {
            std::vector<double> values(length);
            status = nc_get_att_double(ncid, varid, name, values.data());
            text = DoubleText(values.front());
        }
    } else if (status == NC_NOERR) {
        text.clear();
    }
    if (status != NC_NOERR)
        error = std::string("the attribute ") + name + " cannot be read: " + Library(status);
    return status == NC_NOERR;
}

bool ReadVariable(int ncid, int varid, const char* name, std::vector<std::string>& texts, std::string& error)
{
    nc_type type = NC_NAT;
    int nDims = 0;
    int dims[NC_MAX_VAR_DIMS];
    int status = nc_inq_var(ncid, varid, nullptr, &type, &nDims, dims, nullptr);
    // The records of the first dimension, and the values of each.
    size_t nRecords = 1;
    size_t nEach = 1;
    for (int d = 0; status == NC_NOERR && d < nDims; ++d) {
        size_t length = 0;
        status = nc_inq_dimlen(ncid, dims[d], &length);
        size_t& product = d == 0 ? nRecords : nEach;
        if (status == NC_NOERR && length != 0 && product > CQLNResultFile::m_knMaxValues / length)
            status = NC_ENOMEM;
        product *= length;
    }
    if (status == NC_NOERR && nRecords > CQLNResultFile::m_knMaxValues / (nEach == 0 ? 1 : nEach))
        status = NC_ENOMEM;
    if (status == NC_ENOMEM) {
        error = std::string("the variable ") + name + " claims more values than a result holds";
        return false;
    }
    const size_t nValues = nRecords * nEach;
    if (status == NC_NOERR && type == NC_CHAR) {
        std::string all(nValues, '\0');
        status = nValues == 0 ? NC_NOERR : nc_get_var_text(ncid, varid, &all[0]);
        if (nDims == 0) {
            texts.push_back(all);
        } else if (nDims == 1) {
            // One string of characters, not one per record.
            texts.push_back(all);
        } else {
            for (size_t r = 0; r < nRecords; ++r)
                texts.push_back(all.substr(r * nEach, nEach));
        }
    } else if (status == NC_NOERR && IsNumberType(type)) {
        std::vector<double> values;
        std::vector<float> floats;
        // Where nothing was written the file holds the fill value: the variable's own, or the
        // library's default for the type.
        double fill = DefaultFill(type);
        nc_get_att_double(ncid, varid, "_FillValue", &fill);
        if (type == NC_FLOAT) {
            floats.resize(nValues);
            status = nValues == 0 ? NC_NOERR : nc_get_var_float(ncid, varid, floats.data());
        } else {
            values.resize(nValues);
            status = nValues == 0 ? NC_NOERR : nc_get_var_double(ncid, varid, values.data());
        }
        // A numeric variable with more than one dimension shows the first value of each record.
        std::vector<std::string> all = NumberTexts(type, values, floats, fill);
        for (size_t r = 0; r < nRecords && nEach > 0; ++r)
            texts.push_back(all[r * nEach]);
    }
    if (status != NC_NOERR)
        error = std::string("the variable ") + name + " cannot be read: " + Library(status);
    return status == NC_NOERR;
}

} // namespace

bool CQLNResultFile::Read(const std::string& path, CQLNResultMapping::Result& result, std::string& error)
{
    // A file that cannot be opened at all says so in the system's words; once it opens, what
    // the library refuses is a damaged file.
    errno = 0;
    if (std::FILE* probe = std::fopen(path.c_str(), "rb")) {
        std::fclose(probe);
    } else {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    int ncid = -1;
    const int status = nc_open(path.c_str(), NC_NOWRITE, &ncid);
    if (status == NC_ENOTNC || status == NC_EHDFERR || status == NC_ENOTBUILT) {
        error = path + " is no netCDF file";
        return false;
    }
    if (status != NC_NOERR) {
        error = path + " is a damaged netCDF file: " + Library(status);
        return false;
    }
    OpenFile file(ncid);
    const size_t slash = path.find_last_of('/');
    result.fileName = slash == std::string::npos ? path : path.substr(slash + 1);

    int nDims = 0, nVars = 0, nAtts = 0;
    int inq = nc_inq(ncid, &nDims, &nVars, &nAtts, nullptr);
    for (int d = 0; inq == NC_NOERR && d < nDims; ++d) {
        char name[NC_MAX_NAME + 1] = {};
        inq = nc_inq_dimname(ncid, d, name);
        result.dimensions.push_back(name);
    }
    if (inq != NC_NOERR) {
        error = path + " is a damaged netCDF file: " + Library(inq);
        return false;
    }
    std::string what;
    for (int a = 0; a < nAtts; ++a) {
        char name[NC_MAX_NAME + 1] = {};
        std::string text;
        if (nc_inq_attname(ncid, NC_GLOBAL, a, name) != NC_NOERR || !ReadAttribute(ncid, NC_GLOBAL, name, text, what)) {
            error = path + " is a damaged netCDF file: " + (what.empty() ? "an attribute has no name" : what);
            return false;
        }
        result.attributes[name] = text;
    }
    for (int v = 0; v < nVars; ++v) {
        char name[NC_MAX_NAME + 1] = {};
        std::vector<std::string> texts;
        if (nc_inq_varname(ncid, v, name) != NC_NOERR || !ReadVariable(ncid, v, name, texts, what)) {
            error = path + " is a damaged netCDF file: " + (what.empty() ? "a variable has no name" : what);
            return false;
        }
        result.variables[name] = std::move(texts);
    }
    if (!CQLNResultMapping::IsResult(result)) {
        error = path + " is a netCDF file but no chromatography result: it has neither peaks nor a signal";
        return false;
    }
    return true;
}
