// Stand-in document files for tests: the samples, a small assembly and a sub-assembly.
#pragma once

#include <filesystem>
#include <string>

namespace kelvort::testing {

// Copies the shipped samples/ into folder/samples and returns that folder.
std::filesystem::path CopySamples(const std::filesystem::path& folder);

// Writes a small assembly into folder and returns the path of its product document:
//   Asm.CATProduct  product ASM (parameter Length, user property Length driven by
//                   Form_Length) with Sub.1 (component SUB inside the document, holding
//                   Bolt.1), Bolt.1, Bolt.2 and Washer.1
//   Bolt.CATPart    part BOLT (parameters Length, Finish with permitted values; formula
//                   Form_Length driving its product's user property Length)
//   Washer.CATPart  part WASHER, empty
std::filesystem::path WriteSmallAssembly(const std::filesystem::path& folder);

// Writes Top.CATProduct (product TOP placing Sub.1 of Sub.CATProduct) and Sub.CATProduct
// (product SUB placing Holder.1, its component SUB-C, whose user property Material is driven
// by Form_Material) into folder and returns the path of Top.CATProduct.
std::filesystem::path WriteSubAssemblyWithAFormula(const std::filesystem::path& folder);

}  // namespace kelvort::testing
