object Main: TMainForm
  Caption = 'It''s'#13#10'ok ' +
    'joined'#1046
  Count = -12
  Big = $7FFFFFFFFF
  Ratio = 1.5E-3
  Letter = 'x'
  Flag = True
  Kind = fkThree
  Kinds = [fkOne, fkThree]
  Font.Charset = 204
  Font.Style = [fsBold]
  Lines.Strings = (
    'Red'
    'Gr' + 'een')
  Columns = <
    item
      Caption = 'Name'
      Width = 120
    end>
  Items.Nodes = <
    item
      Text = 'Root'
      Nodes = <
        item
          Text = 'Child'
        end>
    end>
  OnClick = MainClick
  object Child: TFuzzThing
    Link = Main
    Caption = 'Grüße'
  end
  inline Frame1: TSomeFrame
    object Inner: TFuzzThing
      Link = Main.Child
    end
  end
  object Other: TFuzzThing
    Link = Frame1.Inner
  end
end
