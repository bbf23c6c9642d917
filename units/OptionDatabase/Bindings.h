// Shorthands of the option tables for the model's properties: W(Name) binds
// a property of Wrapper::Wrapper, S(Name) one of SkinBin::Wrapper.
#pragma once

#include "OptionDatabase/OptionModuleClass.h"
#include "SkinBin/Wrapper.h"
#include "Wrapper/Wrapper.h"

#define OPTION_W(Name) ::OptionDatabase::Bind<&::Wrapper::Wrapper::OnGet##Name, &::Wrapper::Wrapper::OnSet##Name>()
#define OPTION_S(Name) ::OptionDatabase::Bind<&::SkinBin::Wrapper::OnGet##Name, &::SkinBin::Wrapper::OnSet##Name>()
