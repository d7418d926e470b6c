object AboutBox: TAboutBox
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  Caption = 'About the sample'
  ClientHeight = 320
  ClientWidth = 400
  Position = poScreenCenter
  object lblProduct: TLabel
    Left = 16
    Top = 16
    Width = 360
    Height = 20
    Caption = 'Ambit Sample'
    Font.Height = -16
    Font.Style = [fsBold]
    ParentFont = False
  end
  object lblVersion: TLabel
    Left = 16
    Top = 40
    Width = 360
    Height = 16
    Caption = 'Version 1.51'
  end
  object memLicense: TMemo
    Left = 16
    Top = 64
    Width = 360
    Height = 120
    Lines.Strings = (
      'This sample shows how the forms of an application are translated' +
        '.'
      'Every caption, hint and list item on its forms can be localized.'
      'Copyright © the authors of the sample.')
    ReadOnly = True
  end
  object chkShowAtStartup: TCheckBox
    Left = 16
    Top = 196
    Width = 360
    Height = 20
    Hint = 'The window opens each time the sample starts'
    Caption = '&Show this window at start-up'
  end
  object chkCheckUpdates: TCheckBox
    Left = 16
    Top = 220
    Width = 360
    Height = 20
    Hint = 'Look for a newer version once a week'#13#10 +
      'Needs a connection to the network'
    Caption = 'Check for &updates'
    Checked = True
  end
  object btnOK: TButton
    Left = 296
    Top = 252
    Width = 80
    Height = 25
    Cancel = True
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
end
