object F: TFuzzThing
  Caption = #55357
end
